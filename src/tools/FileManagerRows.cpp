// Building the file manager's grid from the current template.
#include "tools/FileManagerRows.h"

namespace fsc {

TFileManagerPanel EmptyFileManager() {
    TFileManagerPanel panel;
    panel.Rows.push_back({"File Type", "Source", "Directory", "Name"});
    panel.Rows.push_back({});
    return panel;
}

TFileManagerPanel RefreshFileManager(const TTemplate& tpl) {
    TFileManagerPanel panel = EmptyFileManager();
    panel.IndexIsGallery = tpl.IndexIsGallery;
    panel.GalleryNameEnabled = !tpl.IndexIsGallery;
    panel.GalleryName = tpl.GalleryPageName;
    for (const TFSC_File& page : tpl.ExtraPages) {
        panel.Rows.push_back({HTMLFileType, page.SourceFile, page.SubDir, page.FileName});
    }
    for (const TTemplateFile& file : tpl.CopyFiles) {
        panel.Rows.push_back({OtherFileType, file.Source, file.SubDir, file.FileName});
    }
    return panel;
}

}  // namespace fsc
