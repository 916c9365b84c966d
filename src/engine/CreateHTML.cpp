// The HTML step.
#include "engine/CreateHTML.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/AssemblePages.h"
#include "engine/BuildFiles.h"
#include "engine/CancelBuild.h"
#include "engine/PageFileName.h"
#include "engine/PageSetup.h"

namespace fsc {

std::vector<TFSC_File> PageList(const TThumbnailArray& thumbs, const TFSC_HTML& html,
                                const TTemplate& tpl) {
    // Copies, not the template's own objects: the passes rewrite a page's text and name, and
    // the template must give the same pages to the next build.
    std::vector<TFSC_File> files = tpl.ExtraPages;
    for (int k = 1; k <= html.PageCount; ++k) {
        TFSC_File page;
        page.PageNumber = k;
        if (tpl.IndexIsGallery) {
            page.FileName = tpl.GalleryFileName;
            page.Lines = tpl.IndexPage;
        } else {
            page.FileName = tpl.GalleryPageName.empty()
                                ? WithoutExtension(tpl.GalleryFileName) + "gallery"
                                : tpl.GalleryPageName;
            page.Lines = tpl.GalleryPage.value_or(TStringList{});
        }
        files.push_back(std::move(page));
    }
    if (!tpl.IndexIsGallery) {
        TFSC_File index;
        index.FileName = tpl.GalleryFileName;
        index.Lines = tpl.IndexPage;
        files.push_back(std::move(index));
    }
    if (html.LinkToHTML) {
        for (std::size_t i = 0; i < thumbs.size(); ++i) {
            TFSC_File page;
            page.ImageNumber = static_cast<int>(i) + 1;
            page.FileName = "image_" + thumbs[i].Name;
            page.Lines = tpl.ImagePageSkeleton;
            files.push_back(std::move(page));
        }
    }
    return files;
}

std::string PagePath(const TFSC_HTML& html, const TFSC_File& page) {
    if (page.ImageNumber >= 1) {
        return InHTMLDir(html.HTMLDir, html.ImageDir + page.FileName + "." + html.PageExt);
    }
    const std::string name = page.PageNumber >= 1
                                 ? PageFileName(page.FileName, html.PageExt, page.PageNumber)
                                 : page.FileName;
    // A page without extension keeps its folder too, so that its relative links still hold.
    const std::string fileName = ExtractFileExt(name).empty() ? name + "." + html.PageExt : name;
    if (Trim(page.SubDir).empty()) return InHTMLDir(html.HTMLDir, fileName);
    return InHTMLDir(InHTMLDir(html.HTMLDir, page.SubDir), fileName);
}

namespace {

void SavePage(TBuildContext& context, TFSC_File& page) {
    const std::string path = PagePath(context.HTML, page);
    // A gallery file name or a template page may lie in a folder of its own.
    context.Journal.CreateFolders(ExtractFileDir(path));
    const std::string bytes = JoinLines(page.Lines);
    // A page that comes out as it already is stays untouched: there is nothing to back up,
    // record or write, and a rebuild that changed little is quick.
    if (!FileHolds(path, bytes)) {
        JournalTarget(context, path);
        WriteFileBytes(path, bytes);
    }
    context.Journal.AddOutput(path);
    page.FileName = ExtractFileName(path);
}

}  // namespace

void CreateHTML(TBuildContext& context) {
    TFSC_HTML& html = context.HTML;
    const int count = static_cast<int>(context.Thumbs.size());
    context.Services.Progress.Update(0, count, "Folioscope: Create HTML. ", count);
    CheckBuildAbort(context);
    html.PerPage = html.Rows * html.Cols;
    html.PageCount = (count - 1) / html.PerPage + 1;
    html.ImageDir = ImageDirPrefix(html.ImageDir);
    WrapCSSFields(context.Template);
    html.Files = PageList(context.Thumbs, html, context.Template);
    TPageContext pages{context.Thumbs,
                       context.Images,
                       html,
                       context.Template,
                       context.Journal,
                       context.Services.Random,
                       context.Services.Progress,
                       context.BackupFolder};
    AssemblePages(pages);
    for (TFSC_File& page : html.Files) SavePage(context, page);
}

}  // namespace fsc
