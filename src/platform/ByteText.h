// The program's texts are bytes; Qt wants QString. UTF-8 when the bytes are valid UTF-8,
// else Latin-1, so that every byte shows as some character and none is lost.
#pragma once

#include <QString>
#include <string_view>

namespace fsc {

QString BytesToQString(std::string_view bytes);

}  // namespace fsc
