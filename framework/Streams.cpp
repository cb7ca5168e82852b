#include "framework/Streams.h"

#include <algorithm>
#include <cstring>

#include "framework/Exceptions.h"
#include "framework/StringUtils.h"

namespace vl {

namespace {

std::string SystemErrorText(DWORD code) {
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = text ? Trim(text) : Format("System error %lu", code);
    if (text) LocalFree(text);
    return result;
}

// Largest block one ReadFile/WriteFile call moves.
constexpr size_t kMaxIoBlock = 1u << 30;

}  // namespace

// ---- TStream ----

int64_t TStream::Size() {
    int64_t position = Seek(0, TSeekOrigin::Current);
    int64_t size = Seek(0, TSeekOrigin::End);
    Seek(position, TSeekOrigin::Begin);
    return size;
}

void TStream::SetSize(int64_t /*size*/) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EStreamError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<uint8_t> block(static_cast<size_t>(std::min<int64_t>(count, 64 * 1024)));
    int64_t left = count;
    while (left > 0) {
        size_t n = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(block.size())));
        source.ReadBuffer(block.data(), n);
        WriteBuffer(block.data(), n);
        left -= static_cast<int64_t>(n);
    }
    return count;
}

// ---- TCustomMemoryStream ----

void TCustomMemoryStream::SetPointer(const void* data, size_t size) {
    data_ = data;
    size_ = size;
}

size_t TCustomMemoryStream::Read(void* buffer, size_t count) {
    if (position_ < 0 || static_cast<uint64_t>(position_) >= size_) return 0;
    size_t n = std::min(count, size_ - static_cast<size_t>(position_));
    std::memcpy(buffer, static_cast<const uint8_t*>(data_) + position_, n);
    position_ += static_cast<int64_t>(n);
    return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::Begin ? 0 : origin == TSeekOrigin::Current ? position_ : Size();
    int64_t target = base + offset;
    if (target < 0) throw EStreamError("Invalid stream position");
    position_ = target;
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) const { stream.WriteBuffer(data_, size_); }

void TCustomMemoryStream::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, TFileMode::Create);
    SaveToStream(file);
}

// ---- TMemoryStream ----

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0) return 0;
    size_t end = static_cast<size_t>(position_) + count;
    if (end > buffer_.size()) {
        buffer_.resize(end);
        SetPointer(buffer_.data(), buffer_.size());
    }
    std::memcpy(buffer_.data() + position_, buffer, count);
    position_ = static_cast<int64_t>(end);
    return count;
}

void TMemoryStream::SetSize(int64_t size) {
    if (size < 0) throw EStreamError("Invalid stream size");
    buffer_.resize(static_cast<size_t>(size));
    SetPointer(buffer_.data(), buffer_.size());
    position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
    buffer_.clear();
    buffer_.shrink_to_fit();
    SetPointer(nullptr, 0);
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    int64_t size = stream.Size();
    SetSize(size);
    if (size > 0) stream.ReadBuffer(buffer_.data(), buffer_.size());
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, TFileMode::OpenRead);
    LoadFromStream(file);
}

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : fileName_(fileName) {
    DWORD access = 0, share = FILE_SHARE_READ, disposition = OPEN_EXISTING;
    switch (mode) {
        case TFileMode::Create:
            access = GENERIC_READ | GENERIC_WRITE;
            disposition = CREATE_ALWAYS;
            break;
        case TFileMode::OpenRead:
            access = GENERIC_READ;
            share = FILE_SHARE_READ | FILE_SHARE_WRITE;
            break;
        case TFileMode::OpenWrite:
            access = GENERIC_WRITE;
            break;
        case TFileMode::OpenReadWrite:
            access = GENERIC_READ | GENERIC_WRITE;
            break;
    }
    handle_ = CreateFileA(fileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        const char* what = mode == TFileMode::Create ? "Cannot create file" : "Cannot open file";
        throw EStreamError(Format("%s \"%s\". %s", what, fileName.c_str(), SystemErrorText(GetLastError()).c_str()));
    }
}

TFileStream::~TFileStream() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

size_t TFileStream::Read(void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        DWORD want = static_cast<DWORD>(std::min(count - done, kMaxIoBlock));
        DWORD got = 0;
        if (!ReadFile(handle_, static_cast<uint8_t*>(buffer) + done, want, &got, nullptr)) break;
        done += got;
        if (got < want) break;
    }
    return done;
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        DWORD want = static_cast<DWORD>(std::min(count - done, kMaxIoBlock));
        DWORD put = 0;
        if (!WriteFile(handle_, static_cast<const uint8_t*>(buffer) + done, want, &put, nullptr)) break;
        done += put;
        if (put < want) break;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    DWORD method = origin == TSeekOrigin::Begin ? FILE_BEGIN : origin == TSeekOrigin::Current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(handle_, distance, &result, method))
        throw EStreamError(Format("Cannot seek in file \"%s\". %s", fileName_.c_str(),
                                  SystemErrorText(GetLastError()).c_str()));
    return result.QuadPart;
}

int64_t TFileStream::Size() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size)) return TStream::Size();
    return size.QuadPart;
}

void TFileStream::SetSize(int64_t size) {
    int64_t position = Position();
    SetPosition(size);
    BOOL ok = SetEndOfFile(handle_);
    DWORD error = GetLastError();
    SetPosition(std::min(position, size));
    if (!ok)
        throw EStreamError(Format("Cannot set the size of file \"%s\". %s", fileName_.c_str(),
                                  SystemErrorText(error).c_str()));
}

// ---- TResourceStream ----

TResourceStream::TResourceStream(HMODULE instance, const std::string& name, const char* type) {
    Initialize(instance, name.c_str(), name, type);
}

TResourceStream::TResourceStream(HMODULE instance, int id, const char* type) {
    Initialize(instance, MAKEINTRESOURCEA(id), "#" + IntToStr(id), type);
}

void TResourceStream::Initialize(HMODULE instance, const char* name, const std::string& displayName,
                                 const char* type) {
    HRSRC info = FindResourceA(instance, name, type);
    HGLOBAL loaded = info ? LoadResource(instance, info) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw EStreamError("Resource " + displayName + " not found");
    // Resource memory belongs to the module: nothing to free.
    SetPointer(data, SizeofResource(instance, info));
}

size_t TResourceStream::Write(const void* /*buffer*/, size_t /*count*/) {
    throw EStreamError("Cannot write to a read-only resource stream");
}

}  // namespace vl
