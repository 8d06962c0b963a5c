// TBoundedString<N>: a text of at most N characters. Assignment cuts longer
// texts to their first N characters (code points of the UTF-8 text, never a
// broken sequence); it converts implicitly to and from std::string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orq {

// The first MaxChars characters of a UTF-8 text. Bytes that do not form a
// valid sequence count as one character each, so nothing is read past the end.
std::string CutToChars(std::string_view Text, std::size_t MaxChars);
// Number of characters of a UTF-8 text, counted as CutToChars counts them.
std::size_t CharCount(std::string_view Text);

template <std::size_t N>
class TBoundedString {
 public:
  static constexpr std::size_t Capacity = N;

  TBoundedString() = default;
  TBoundedString(const std::string& Text) : text_(CutToChars(Text, N)) {}
  TBoundedString(std::string_view Text) : text_(CutToChars(Text, N)) {}
  TBoundedString(const char* Text) : text_(CutToChars(Text ? std::string_view(Text) : std::string_view(), N)) {}

  TBoundedString& operator=(const std::string& Text) {
    text_ = CutToChars(Text, N);
    return *this;
  }
  TBoundedString& operator=(const char* Text) { return *this = std::string(Text ? Text : ""); }

  operator const std::string&() const { return text_; }
  const std::string& str() const { return text_; }
  const char* c_str() const { return text_.c_str(); }
  bool empty() const { return text_.empty(); }
  // Length in characters.
  std::size_t length() const { return CharCount(text_); }

  friend bool operator==(const TBoundedString& a, const TBoundedString& b) { return a.text_ == b.text_; }
  friend bool operator==(const TBoundedString& a, const std::string& b) { return a.text_ == b; }
  friend bool operator==(const TBoundedString& a, const char* b) { return a.text_ == b; }
  friend auto operator<=>(const TBoundedString& a, const TBoundedString& b) { return a.text_ <=> b.text_; }

 private:
  std::string text_;
};

}  // namespace orq
