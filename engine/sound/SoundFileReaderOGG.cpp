// vorbisfile over FileBinary: the four callbacks, opening and measuring the stream, and decoding.
#include "engine/sound/SoundFileReaderOGG.h"

#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace VelkorEngine
{
namespace
{
// A damaged stream may keep answering with holes; after this many in a row the read ends.
constexpr u32 MaximumConsecutiveHoles = 32;

// Any other error leaves vorbisfile's state unfit for another call: after a failed decoder set-up the next call
// finds the codebooks half built, takes them as ready and decodes with them (a division by zero in the library
// for a book the residue classifies by). So such an error ends the stream for good.
bool EndsTheStream(long result)
{
    return result < 0 && result != OV_HOLE;
}

size_t ReadCallback(void* pointer, size_t size, size_t count, void* source)
{
    const size_t wanted = std::min<size_t>(size * count, UINT_MAX);
    u32 read = 0;
    static_cast<FileBinary*>(source)->Read(pointer, static_cast<u32>(wanted), &read);
    return read;
}

// vorbisfile's whence: 0 from the start, 1 from the position, 2 from the end. The target is worked out here in
// 64 bits and refused when it lies outside the file: FileBinary would clamp it to the file and vorbisfile, told
// the seek succeeded, would take the clamped position for the one it asked (and, for a stream announcing no
// samples, step back from near 2^63 in 64 KiB strides for ever).
int SeekCallback(void* source, ogg_int64_t offset, int whence)
{
    FileBinary* file = static_cast<FileBinary*>(source);
    const i64 size = static_cast<i64>(file->GetSize());
    i64 base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<i64>(file->GetPosition());
    else if (whence == SEEK_END)
        base = size;
    else if (whence != SEEK_SET)
        return -1;
    // Both sides are within the 32-bit file size, so only an offset far outside the file can overflow.
    if (offset < -size || offset > size)
        return -1;
    const i64 target = base + offset;
    if (target < 0 || target > size)
        return -1;
    if (target < size)
        return file->Seek(0, target) ? 0 : -1;
    // FileBinary seeks no further than the last byte; the end itself (where vorbisfile measures the file) is
    // reached by reading that byte.
    if (size > 0)
    {
        file->Seek(0, size - 1);
        u8 last = 0;
        u32 read = 0;
        file->Read(&last, 1, &read);
    }
    return 0;
}

int CloseCallback(void*) { return 0; }

long TellCallback(void* source) { return static_cast<long>(static_cast<FileBinary*>(source)->GetPosition()); }

constexpr ov_callbacks Callbacks{ReadCallback, SeekCallback, CloseCallback, TellCallback};
}

SoundFileReaderOGG::SoundFileReaderOGG(MessageManager* log, FileManager* fileManager, const std::string& name)
    : SoundFileReader(log, fileManager, name)
{
    m_bitsPerSample = 16;
    try
    {
        Open();
    }
    catch (const FileError& error)
    {
        ClearDecoder();
        m_file.reset();
        throw FileError(error.GetMessage());
    }
}

SoundFileReaderOGG::~SoundFileReaderOGG() { ClearDecoder(); }

void SoundFileReaderOGG::Open()
{
    m_decoder = std::make_unique<OggVorbis_File>();
    if (ov_open_callbacks(m_file.get(), m_decoder.get(), nullptr, 0, Callbacks) < 0)
        Fail("incorrect format");
    const vorbis_info* info = ov_info(m_decoder.get(), -1);
    if (!info)
        Fail("incorrect format");
    m_sampleRate = static_cast<u32>(info->rate);
    m_channels = static_cast<u32>(info->channels);
    const ogg_int64_t samples = ov_pcm_total(m_decoder.get(), -1);
    if (samples == OV_EINVAL)
        Fail("incorrect format");
    m_dataSize = static_cast<u32>(static_cast<u64>(samples) * m_channels * 2);
}

void SoundFileReaderOGG::ClearDecoder()
{
    if (!m_decoder)
        return;
    ov_clear(m_decoder.get());
    m_decoder.reset();
}

void SoundFileReaderOGG::Rewind()
{
    if (!m_failed && EndsTheStream(ov_pcm_seek(m_decoder.get(), 0)))
        m_failed = true;
}

void SoundFileReaderOGG::Read(void* destination, u32 count, u32& read, u8& end)
{
    if (count == 0 || m_failed)
    {
        read = 0;
        end = 1;
        return;
    }
    char* bytes = static_cast<char*>(destination);
    u32 total = 0;
    u32 errors = 0;
    long result = 1;
    while (total < count)
    {
        int bitstream = 0;
        const int wanted = static_cast<int>(std::min<u32>(count - total, INT_MAX));
        result = ov_read(m_decoder.get(), bytes + total, wanted, 0, 2, 1, &bitstream);
        if (result == 0)
            break;
        if (result > 0)
        {
            total += static_cast<u32>(result);
            errors = 0;
        }
        else if (EndsTheStream(result))
        {
            m_failed = true;
            result = 0;
            break;
        }
        else if (++errors == MaximumConsecutiveHoles)
        {
            result = 0;
            break;
        }
    }
    read = total;
    end = result == 0 ? 1 : 0;
}
}
