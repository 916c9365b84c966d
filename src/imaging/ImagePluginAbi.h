/* The C interface between Folioscope and its image plug-in modules (shared objects in the plug-in
 * folder). */
#ifndef FSC_IMAGE_PLUGIN_ABI_H
#define FSC_IMAGE_PLUGIN_ABI_H

/*
 * A module takes part only if it exports all three of LibLoadImage,
 * LibSaveImage and LibFreeImage; LibGetLoadFilter and LibGetSaveFilter are
 * optional. The file name extensions its load filter mentions ("*.ico") are
 * the ones it is asked to read.
 *
 * The host zeroes the container, sets Version and calls LibLoadImage. On
 * success the module has filled Width, Height, Stride and Pixels (24-bit rows,
 * red, green, blue, top row first) and returns 1; the pixels stay the module's
 * until the host calls LibFreeImage on the same container. On failure it
 * returns 0, may write a message into ErrorMessage and frees what it made.
 * LibSaveImage gets a filled container and writes it to the file.
 *
 * The second text of LibLoadImage and LibSaveImage is an option string for the
 * module ("" when there are none), for example a quality for a writer.
 */

#ifdef __cplusplus
extern "C" {
#endif

#define FSC_IMAGE_PLUGIN_VERSION 1
#define FSC_IMAGE_PLUGIN_MESSAGE_SIZE 256

typedef struct FscPluginImage {
    int Version;
    int Width;
    int Height;
    int Stride;
    unsigned char* Pixels;
    void* ModuleData;
    char ErrorMessage[FSC_IMAGE_PLUGIN_MESSAGE_SIZE];
} FscPluginImage;

typedef int (*FscLibLoadImage)(const char* fileName, const char* options, FscPluginImage* image);
typedef int (*FscLibSaveImage)(const char* fileName, const char* options, FscPluginImage* image);
typedef int (*FscLibFreeImage)(FscPluginImage* image);
/* A filter in the file dialog's form: "Description (*.ext)|*.ext". */
typedef const char* (*FscLibGetFilter)(void);

#ifdef __cplusplus
}
#endif

#endif
