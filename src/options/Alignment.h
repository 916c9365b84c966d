// The radio groups of the option dialogs that choose an alignment.
#pragma once

namespace fsc {

// "left", "center", "right".
enum class THorzAlign { Left, Center, Right };
// "top", "middle", "bottom".
enum class TVertAlign { Top, Middle, Bottom };

// The texts the style fields of the template hold.
inline const char* AlignText(THorzAlign align) {
    switch (align) {
        case THorzAlign::Left:
            return "left";
        case THorzAlign::Center:
            return "center";
        case THorzAlign::Right:
            return "right";
    }
    return "center";
}
inline const char* AlignText(TVertAlign align) {
    switch (align) {
        case TVertAlign::Top:
            return "top";
        case TVertAlign::Middle:
            return "middle";
        case TVertAlign::Bottom:
            return "bottom";
    }
    return "middle";
}

}  // namespace fsc
