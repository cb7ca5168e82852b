#pragma once
// Byte streams: an abstract stream with a position, and streams over memory, a file and a
// resource of an executable module. Read and Write move as many bytes as they can and return
// the count; ReadBuffer and WriteBuffer insist on all of them.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/ClassInfo.h"

namespace vl {

enum class TSeekOrigin { Begin, Current, End };

class TStream : public TObject {
public:
    // Copies up to `count` bytes from the current position into `buffer`; never past the end.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // Moves the position and returns the new one.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();
    // Truncates or extends the stream; streams that cannot change size raise EStreamError.
    virtual void SetSize(int64_t size);

    int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::Begin); }

    // Raise EStreamError("Stream read error" / "Stream write error") when short.
    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);

    // Copies `count` bytes from the source's position; 0 copies the whole source from its start.
    // Returns the number of bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over a block of memory that a derived class provides; reads and seeks only.
class TCustomMemoryStream : public TStream {
public:
    size_t Read(void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(size_); }
    const void* Memory() const { return data_; }

    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;

protected:
    void SetPointer(const void* data, size_t size);
    int64_t position_ = 0;

private:
    const void* data_ = nullptr;
    size_t size_ = 0;
};

// A growable stream in memory that owns its bytes. Writing past the end extends it; a gap
// between the end and a position set beyond it is filled with zeros.
class TMemoryStream : public TCustomMemoryStream {
public:
    TMemoryStream() = default;

    size_t Write(const void* buffer, size_t count) override;
    void SetSize(int64_t size) override;
    void* Memory() { return buffer_.data(); }
    const void* Memory() const { return buffer_.data(); }
    void Clear();

    // Replace the content with the whole of another stream or file; the position goes to 0.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);

private:
    std::vector<uint8_t> buffer_;
};

enum class TFileMode {
    Create,        // create or truncate, read and write
    OpenRead,      // existing file, read only (others may read and write)
    OpenWrite,     // existing file, write only
    OpenReadWrite  // existing file, read and write
};

// A stream over an open file. Failing to open raises EStreamError naming the file:
// Cannot open file "<name>". <system text>   (or "Cannot create file" for TFileMode::Create)
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;
    void SetSize(int64_t size) override;

    const std::string& FileName() const { return fileName_; }
    HANDLE Handle() const { return handle_; }

private:
    std::string fileName_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A read-only view of a resource of `instance`, found by name (or MAKEINTRESOURCE id) and type.
// A missing resource raises EStreamError("Resource <name> not found"). The view stays valid while
// the module is loaded.
class TResourceStream : public TCustomMemoryStream {
public:
    TResourceStream(HMODULE instance, const std::string& name, const char* type);
    TResourceStream(HMODULE instance, int id, const char* type);

    // Raises EStreamError: a resource cannot be written.
    size_t Write(const void* buffer, size_t count) override;

private:
    void Initialize(HMODULE instance, const char* name, const std::string& displayName, const char* type);
};

}  // namespace vl
