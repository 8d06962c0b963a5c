// Small value types shared by every layer: points, rectangles, colours, sets.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>

namespace orq {

struct TPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int X, int Y) { return TPoint{X, Y}; }
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }

// 0x00BBGGRR: red in the low byte.
using TColor = uint32_t;

// A set of up to 64 values of an enumeration whose ordinals start at 0.
template <typename E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) insert(e);
  }
  constexpr bool contains(E e) const { return (bits_ >> static_cast<unsigned>(e)) & 1u; }
  constexpr TSet& insert(E e) {
    bits_ |= uint64_t{1} << static_cast<unsigned>(e);
    return *this;
  }
  constexpr TSet& erase(E e) {
    bits_ &= ~(uint64_t{1} << static_cast<unsigned>(e));
    return *this;
  }
  constexpr bool empty() const { return bits_ == 0; }
  constexpr void clear() { bits_ = 0; }
  constexpr uint64_t bits() const { return bits_; }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  friend constexpr bool operator==(TSet a, TSet b) { return a.bits_ == b.bits_; }
  static constexpr TSet FromBits(uint64_t b) {
    TSet s;
    s.bits_ = b;
    return s;
  }

 private:
  uint64_t bits_ = 0;
};

class TObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace orq
