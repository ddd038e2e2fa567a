#include "base/Stream.h"

#include <algorithm>
#include <cstring>

#include "base/Exception.h"

namespace lindora {

void Stream::readBuffer(void* buffer, std::size_t count) {
    if (read(buffer, count) != count) throw EReadError("Stream read error");
}

void Stream::writeBuffer(const void* buffer, std::size_t count) {
    if (write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::size_t MemoryStream::read(void* buffer, std::size_t count) {
    std::size_t n = std::min(count, data_.size() - position_);
    if (n) std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t MemoryStream::write(const void* buffer, std::size_t count) {
    if (position_ + count > data_.size()) data_.resize(position_ + count);
    if (count) std::memcpy(data_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

void MemoryStream::setPosition(std::int64_t position) {
    position_ = static_cast<std::size_t>(std::clamp<std::int64_t>(position, 0, size()));
}

std::vector<std::uint8_t> MemoryStream::takeBytes() {
    position_ = 0;
    return std::move(data_);
}

void MemoryStream::clear() {
    data_.clear();
    position_ = 0;
}

}  // namespace lindora
