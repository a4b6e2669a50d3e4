// Feeds libjpeg from a FileBinary in 4096-byte pieces, turns the library's fatal errors into a failed load
// instead of a process exit, and keeps its first corrupt-data warning for the log.
#pragma once

#include "engine/core/Types.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace VelkorEngine
{
class FileBinary;

struct JpegFileSource
{
    static constexpr u32 BufferSize = 4096;

    jpeg_source_mgr pub;
    FileBinary* file;
    JOCTET* buffer;
    boolean startOfFile;

    // Allocates the source from the decompressor's permanent pool on first use, then points it at the file.
    static void Attach(j_decompress_ptr decompressor, FileBinary* file);
};

struct JpegErrorTrap
{
    jpeg_error_mgr pub;
    // Where a fatal library error returns to; set by the decoder before every call into the library.
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    u32 warnings;

    // Sets up the trap and returns the manager to hang on the decompressor.
    jpeg_error_mgr* Install();
};
}
