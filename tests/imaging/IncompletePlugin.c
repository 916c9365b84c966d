/* A plug-in module that lacks LibFreeImage: the program must ignore it. */
#include "imaging/ImagePluginAbi.h"

int LibLoadImage(const char* fileName, const char* options, FscPluginImage* image) {
    (void)fileName, (void)options, (void)image;
    return 0;
}

int LibSaveImage(const char* fileName, const char* options, FscPluginImage* image) {
    (void)fileName, (void)options, (void)image;
    return 0;
}

const char* LibGetLoadFilter(void) { return "Incomplete (*.inc)|*.inc"; }
