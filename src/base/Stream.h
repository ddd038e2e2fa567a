#pragma once
// Byte streams for binary data: what binary defined properties read and write, and what the
// binary component stream (StreamReader/StreamWriter) works on.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lindora {

class Stream {
public:
    virtual ~Stream() = default;
    // Reads up to `count` bytes; returns how many were read.
    virtual std::size_t read(void* buffer, std::size_t count) = 0;
    virtual std::size_t write(const void* buffer, std::size_t count) = 0;
    virtual std::int64_t position() const = 0;
    virtual void setPosition(std::int64_t position) = 0;  // clamped to 0..size
    virtual std::int64_t size() const = 0;

    // Reads exactly `count` bytes or throws EReadError "Stream read error".
    void readBuffer(void* buffer, std::size_t count);
    void writeBuffer(const void* buffer, std::size_t count);
    std::int64_t remaining() const { return size() - position(); }
};

class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> data) : data_(std::move(data)) {}
    explicit MemoryStream(std::span<const std::uint8_t> data) : data_(data.begin(), data.end()) {}

    std::size_t read(void* buffer, std::size_t count) override;
    std::size_t write(const void* buffer, std::size_t count) override;
    std::int64_t position() const override { return static_cast<std::int64_t>(position_); }
    void setPosition(std::int64_t position) override;
    std::int64_t size() const override { return static_cast<std::int64_t>(data_.size()); }

    const std::vector<std::uint8_t>& bytes() const { return data_; }
    std::vector<std::uint8_t> takeBytes();
    void clear();

private:
    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
};

}  // namespace lindora
