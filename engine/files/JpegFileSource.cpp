// The libjpeg source manager over FileBinary and the error trap that brings failures back to the reader.
#include "engine/files/JpegFileSource.h"

#include "engine/files/FileBinary.h"

#include <jerror.h>

namespace VelkorEngine
{
namespace
{
JpegFileSource* SourceOf(j_decompress_ptr decompressor) { return reinterpret_cast<JpegFileSource*>(decompressor->src); }

void InitSource(j_decompress_ptr decompressor) { SourceOf(decompressor)->startOfFile = TRUE; }

// The source never suspends: past the end of the file it hands out an end-of-image marker, and warns of the
// premature end as libjpeg's own file source does, so a cut file decodes to what it holds.
boolean FillInputBuffer(j_decompress_ptr decompressor)
{
    JpegFileSource* source = SourceOf(decompressor);
    u32 count = 0;
    source->file->Read(source->buffer, JpegFileSource::BufferSize, &count);
    if (count == 0)
    {
        if (source->startOfFile)
            ERREXIT(decompressor, JERR_INPUT_EMPTY);
        WARNMS(decompressor, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = count;
    source->startOfFile = FALSE;
    return TRUE;
}

void SkipInputData(j_decompress_ptr decompressor, long count)
{
    if (count < 1)
        return;
    JpegFileSource* source = SourceOf(decompressor);
    while (static_cast<unsigned long>(count) > source->pub.bytes_in_buffer)
    {
        count -= static_cast<long>(source->pub.bytes_in_buffer);
        FillInputBuffer(decompressor);
    }
    source->pub.next_input_byte += count;
    source->pub.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

JpegErrorTrap* TrapOf(j_common_ptr decompressor) { return reinterpret_cast<JpegErrorTrap*>(decompressor->err); }

void ErrorExit(j_common_ptr decompressor)
{
    JpegErrorTrap* trap = TrapOf(decompressor);
    trap->pub.format_message(decompressor, trap->message);
    std::longjmp(trap->jump, 1);
}

// Warnings (level -1) report corrupt data; the first one is kept for the log. Trace messages are ignored.
void EmitMessage(j_common_ptr decompressor, int level)
{
    JpegErrorTrap* trap = TrapOf(decompressor);
    if (level >= 0)
        return;
    if (trap->warnings++ == 0)
        trap->pub.format_message(decompressor, trap->message);
}
}

void JpegFileSource::Attach(j_decompress_ptr decompressor, FileBinary* file)
{
    if (!decompressor->src)
    {
        auto* source = static_cast<JpegFileSource*>(
            decompressor->mem->alloc_small(reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT, sizeof(JpegFileSource)));
        source->buffer = static_cast<JOCTET*>(
            decompressor->mem->alloc_small(reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT, BufferSize));
        decompressor->src = &source->pub;
    }
    JpegFileSource* source = SourceOf(decompressor);
    source->pub.init_source = InitSource;
    source->pub.fill_input_buffer = FillInputBuffer;
    source->pub.skip_input_data = SkipInputData;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = TermSource;
    source->file = file;
    source->pub.bytes_in_buffer = 0;
    source->pub.next_input_byte = nullptr;
}

jpeg_error_mgr* JpegErrorTrap::Install()
{
    jpeg_std_error(&pub);
    pub.error_exit = ErrorExit;
    pub.emit_message = EmitMessage;
    message[0] = '\0';
    warnings = 0;
    return &pub;
}
}
