// Page assembly passes.
#include "engine/AssemblePages.h"

#include "engine/FinishPage.h"
#include "engine/PageContent.h"

namespace fsc {

void AssemblePages(TPageContext& context) {
    for (TFSC_File& page : context.HTML.Files) PageContent(context, page);
    for (TFSC_File& page : context.HTML.Files) FinishPage(context, page);
}

}  // namespace fsc
