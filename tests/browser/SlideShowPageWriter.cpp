// Writes a slide-show page of three images into a folder, for the browser test to drive.
#include <iostream>

#include "base/Files.h"
#include "base/Paths.h"
#include "engine/EngineFixture.h"
#include "engine/SlideShow.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: SlideShowPageWriter FOLDER\n";
        return 2;
    }
    fsc::test::TEngineFixture gallery(3);
    gallery.HTML.Rows = 3;
    gallery.HTML.Cols = 1;
    gallery.Thumbs[2].useOtherLink = true;
    gallery.Thumbs[2].OtherLink = "https://example.invalid/elsewhere";
    gallery.Template.SlideScheme = {"<!-FIRSTBUTTON-> <!-PREVBUTTON->",
                                    "<!-NEXTBUTTON-> <!-LASTBUTTON-> <br>", "<!-SLIDES->"};
    const std::string page = "<html><head><title>slides</title></head><body>\r\n" +
                             fsc::SlideShowHTML(gallery.Context, 0, 2) + "\r\n</body></html>\r\n";
    fsc::WriteFileBytes(fsc::JoinPath(argv[1], "index.html"), page);
    std::cout << gallery.HTML.ImageDir << '\n';
    return 0;
}
