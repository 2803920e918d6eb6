#pragma once
#include <utility>

namespace qv {

// One owner for every kind of handle. Traits give the type, the value that means "none", and
// how to close one:
//   struct Traits { using Type = HKEY; static Type Invalid() { return nullptr; }
//                   static void Close(Type h) { RegCloseKey(h); } };
template <typename Traits>
class UniqueHandle {
public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type h) : H(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : H(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Type Get() const { return H; }
  explicit operator bool() const { return H != Traits::Invalid(); }
  [[nodiscard]] Type Release() { return std::exchange(H, Traits::Invalid()); }
  void Reset(Type h = Traits::Invalid()) {
    Type old = std::exchange(H, h);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For calls that hand a handle back through a pointer: closes the current one first.
  Type* Receive() {
    Reset();
    return &H;
  }

private:
  Type H = Traits::Invalid();
};

} // namespace qv
