#include "model/input_file.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#if defined(_WIN32)
#include <fstream>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tl {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

#if defined(_WIN32)

InputFile OpenPlatformFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return {};
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    auto in = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (ec || !in->is_open())
        return {};
    return {std::move(in), size};
}

#else

// Reads a descriptor through a buffer; large reads go straight to the caller.
class DescriptorBuf final : public std::streambuf {
public:
    explicit DescriptorBuf(int fd) : m_fd(fd), m_buffer(new char[kBufferSize]) {}
    ~DescriptorBuf() override { ::close(m_fd); }
    DescriptorBuf(const DescriptorBuf&) = delete;
    DescriptorBuf& operator=(const DescriptorBuf&) = delete;

protected:
    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        const ssize_t got = ReadSome(m_buffer.get(), kBufferSize);
        if (got <= 0) {
            setg(m_buffer.get(), m_buffer.get(), m_buffer.get());
            return traits_type::eof();
        }
        setg(m_buffer.get(), m_buffer.get(), m_buffer.get() + got);
        return traits_type::to_int_type(*gptr());
    }

    std::streamsize xsgetn(char* to, std::streamsize count) override
    {
        std::streamsize done = 0;
        while (done < count) {
            const std::streamsize buffered = egptr() - gptr();
            if (buffered > 0) {
                const std::streamsize n = std::min(buffered, count - done);
                std::memcpy(to + done, gptr(), static_cast<size_t>(n));
                gbump(static_cast<int>(n));
                done += n;
            } else if (count - done >= static_cast<std::streamsize>(kBufferSize)) {
                const ssize_t got = ReadSome(to + done, static_cast<size_t>(count - done));
                if (got <= 0)
                    break;
                done += got;
            } else if (traits_type::eq_int_type(underflow(), traits_type::eof())) {
                break;
            }
        }
        return done;
    }

private:
    static constexpr size_t kBufferSize = 64 * 1024;

    ssize_t ReadSome(char* to, size_t count)
    {
        for (;;) {
            const ssize_t got = ::read(m_fd, to, count);
            if (got >= 0 || errno != EINTR)
                return got;
        }
    }

    int m_fd;
    std::unique_ptr<char[]> m_buffer;
};

class DescriptorStream final : public std::istream {
public:
    explicit DescriptorStream(int fd) : std::istream(nullptr), m_buf(fd) { rdbuf(&m_buf); }

private:
    DescriptorBuf m_buf;
};

InputFile OpenPlatformFile(const std::filesystem::path& path)
{
    // Looked at before opening, so that no device is opened at all, and again
    // on the descriptor, in case the name was swapped in between. O_NONBLOCK
    // keeps the open of a FIFO from waiting for a writer.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        return {};
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return {std::make_unique<DescriptorStream>(fd), static_cast<std::uintmax_t>(info.st_size)};
}

#endif

} // namespace

InputFile OpenInputFile(const std::filesystem::path& path, InputText text)
{
    InputFile file = OpenPlatformFile(path);
    if (!file || text != InputText::Text)
        return file;
    // A byte-order mark written by a text editor is not part of the first line.
    std::streambuf& buffer = *file.Stream->rdbuf();
    using Traits = std::char_traits<char>;
    if (Traits::eq_int_type(buffer.sgetc(), Traits::eof()) || buffer.in_avail() < 3)
        return file;
    char start[3];
    for (char& c : start)
        c = Traits::to_char_type(buffer.sbumpc());
    if (std::string_view(start, 3) == kByteOrderMark) {
        file.Size = file.Size >= 3 ? file.Size - 3 : 0;
    } else {
        for (int i = 0; i < 3; ++i)
            buffer.sungetc();
    }
    return file;
}

} // namespace tl
