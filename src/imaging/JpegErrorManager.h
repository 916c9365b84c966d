// The libjpeg error manager of reader and writer: an error jumps back instead of exiting.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <string>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace fsc {

// libjpeg calls error_exit on a fatal error and expects it never to return; its
// default calls exit(). Ours keeps the message and longjmps to the setjmp of the
// caller. Use it like this:
//
//   static bool DecodeC(jpeg_decompress_struct* cinfo, JpegErrorManager* err) {
//       if (setjmp(err->JumpBack)) return false;   // no C++ objects after this
//       ... plain libjpeg calls ...
//       return true;
//   }
//
// and, in C++ code, destroy the libjpeg struct on both paths before throwing
// EFSC_Exception with JpegErrorText(err).
struct JpegErrorManager {
    jpeg_error_mgr Pub;  // first member: libjpeg only sees this part
    std::jmp_buf JumpBack;
    char Message[JMSG_LENGTH_MAX];
    // Corrupt data libjpeg only warns about (a file cut short, a broken
    // Huffman code) is counted, so that a reader can refuse the picture.
    long WarningCount;
    int FirstWarningCode;
    char FirstWarning[JMSG_LENGTH_MAX];
    // A reader sets this to turn the warnings that mean lost picture data (file
    // cut short, data segment ended early, bad Huffman code) into errors: the
    // picture would otherwise come out partly grey. ErrorCode then tells which.
    bool StopOnDataLoss;
    int ErrorCode;
};

// Resets the manager and returns the pointer to assign to cinfo.err.
jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager& manager);

// The message libjpeg gave for the fatal error, or a generic one.
std::string JpegErrorText(const JpegErrorManager& manager);

}  // namespace fsc
