#include "classlib/Streams.h"

#include <algorithm>
#include <cstring>

namespace {

int64_t Tell(std::FILE* f)
{
#ifdef _WIN32
    return _ftelli64(f);
#else
    return ftello(f);
#endif
}

int SeekFile(std::FILE* f, int64_t offset, int whence)
{
#ifdef _WIN32
    return _fseeki64(f, offset, whence);
#else
    return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}

} // namespace

int64_t TMemoryStream::Read(void* buffer, int64_t count)
{
    if (count <= 0 || pos_ >= Size())
        return 0;
    const int64_t n = std::min(count, Size() - pos_);
    std::memcpy(buffer, data_.data() + pos_, static_cast<size_t>(n));
    pos_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0)
        return 0;
    if (pos_ + count > Size())
        data_.resize(static_cast<size_t>(pos_ + count));
    std::memcpy(data_.data() + pos_, buffer, static_cast<size_t>(count));
    pos_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == soFromBeginning ? 0 : origin == soFromCurrent ? pos_ : Size();
    if (base + offset < 0)
        return -1;
    pos_ = base + offset;
    return pos_;
}

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    pos_ = 0;
}

void TMemoryStream::SetSize(int64_t size)
{
    data_.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    pos_ = std::min(pos_, Size());
}

bool TMemoryStream::LoadFromFile(const std::string& path)
{
    TFileStream f(path, fmOpenRead);
    if (!f.IsOpen())
        return false;
    const int64_t size = f.Size();
    if (size < 0)
        return false;
    std::vector<char> bytes(static_cast<size_t>(size));
    if (!f.ReadExact(bytes.data(), size))
        return false;
    data_.swap(bytes);
    pos_ = 0;
    return true;
}

bool TMemoryStream::SaveToFile(const std::string& path) const
{
    TFileStream f(path, fmCreate);
    if (!f.IsOpen())
        return false;
    if (f.WriteExact(data_.data(), static_cast<int64_t>(data_.size())) && f.Close())
        return true;
    // A file written short (a full disk) would later be read as if it were whole.
    f.Close();
    std::remove(path.c_str());
    return false;
}

TFileStream::TFileStream(const std::string& path, TFileMode mode)
{
    const char* how = mode == fmOpenRead ? "rb" : mode == fmOpenReadWrite ? "r+b" : "w+b";
    file_ = std::fopen(path.c_str(), how);
}

TFileStream::~TFileStream()
{
    Close();
}

bool TFileStream::Close()
{
    if (!file_)
        return true;
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

int64_t TFileStream::Read(void* buffer, int64_t count)
{
    if (!file_ || count <= 0)
        return 0;
    return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Write(const void* buffer, int64_t count)
{
    if (!file_ || count <= 0)
        return 0;
    return static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    if (!file_)
        return -1;
    const int whence = origin == soFromBeginning ? SEEK_SET : origin == soFromCurrent ? SEEK_CUR : SEEK_END;
    if (origin == soFromCurrent && offset == 0)
        return Tell(file_);
    if (SeekFile(file_, offset, whence) != 0)
        return -1;
    return Tell(file_);
}

int64_t TFileStream::Size()
{
    if (!file_)
        return -1;
    const int64_t here = Tell(file_);
    if (SeekFile(file_, 0, SEEK_END) != 0)
        return -1;
    const int64_t size = Tell(file_);
    SeekFile(file_, here, SEEK_SET);
    return size;
}
