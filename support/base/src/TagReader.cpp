#include "orqbase/TagReader.h"

#include <algorithm>
#include <vector>

#include "orqbase/OrqError.h"

namespace orq {

namespace {

// A sequence of UTF-8 bytes with one byte of look-ahead.
class CharSource {
 public:
  virtual ~CharSource() = default;
  virtual bool Get(char& c) = 0;
  virtual bool Peek(char& c) = 0;
  // Text read too far: the next reads return it first. ASCII only.
  virtual void PushBack(const std::string& text) = 0;
};

class TextFileSource : public CharSource {
 public:
  explicit TextFileSource(TTextFile& F) : F_(F) {}
  bool Get(char& c) override { return F_.ReadChar(c); }
  bool Peek(char& c) override { return F_.PeekChar(c); }
  void PushBack(const std::string& text) override { F_.UnreadText(text); }

 private:
  TTextFile& F_;
};

// Reads the stream in blocks and gives back, on destruction, what it read
// ahead, so that the stream ends up right after the last byte consumed.
class StreamSource : public CharSource {
 public:
  explicit StreamSource(TStream* S) : S_(S), block_(4096) {}
  ~StreamSource() override {
    // Bytes read ahead, the byte of a peeked character and pushed-back text
    // (ASCII, one byte a character) go back to the stream.
    int64_t unread = static_cast<int64_t>(block_len_ - block_pos_) + static_cast<int64_t>(pushback_.size());
    if (pending_pos_ == 0 && !pending_.empty()) ++unread;
    if (unread > 0) S_->Seek(-unread, soCurrent);
  }
  StreamSource(const StreamSource&) = delete;
  StreamSource& operator=(const StreamSource&) = delete;

  bool Peek(char& c) override {
    if (!pushback_.empty()) {
      c = pushback_.front();
      return true;
    }
    if (pending_pos_ >= pending_.size()) {
      pending_.clear();
      pending_pos_ = 0;
      if (block_pos_ >= block_len_) {
        block_len_ = static_cast<std::size_t>(std::max<int64_t>(0, S_->Read(block_.data(), static_cast<int64_t>(block_.size()))));
        block_pos_ = 0;
        if (block_len_ == 0) return false;
      }
      pending_ = Cp1252CharToUtf8(block_[block_pos_++]);
      pending_pos_ = 0;
    }
    c = pending_[pending_pos_];
    return true;
  }
  bool Get(char& c) override {
    if (!Peek(c)) return false;
    if (!pushback_.empty())
      pushback_.erase(0, 1);
    else
      ++pending_pos_;
    return true;
  }
  void PushBack(const std::string& text) override { pushback_.insert(0, text); }

 private:
  TStream* S_;
  std::vector<unsigned char> block_;
  std::size_t block_len_ = 0;
  std::size_t block_pos_ = 0;
  std::string pending_;
  std::size_t pending_pos_ = 0;
  std::string pushback_;
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string TrimBlanks(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// Consumes characters up to and including Terminator; false at the end.
bool SkipPast(CharSource& src, std::string_view Terminator) {
  std::string tail;
  char c;
  while (src.Get(c)) {
    tail += c;
    if (tail.size() > Terminator.size()) tail.erase(0, 1);
    if (tail == Terminator) return true;
  }
  return false;
}

// Reads the inside of a tag after its "<" up to the closing ">". A "<"
// outside quotes means the text so far was no tag (a stray "<" in text):
// Restart is set and reading begins anew after that "<".
enum class TagScan { Complete, Restart, End };

TagScan ReadTagText(CharSource& src, std::string& Tag) {
  Tag.clear();
  bool in_quote = false;
  char c;
  while (src.Get(c)) {
    if (c == '"') {
      in_quote = !in_quote;
    } else if (c == '\n' || c == '\r') {
      // A quoted value never spans lines: an unbalanced quote ends here.
      in_quote = false;
      c = ' ';
    } else if (!in_quote) {
      if (c == '>') return TagScan::Complete;
      if (c == '<') return TagScan::Restart;
      if (c == '\t') c = ' ';
    }
    Tag += c;
  }
  return TagScan::End;
}

int ReadNextTag(CharSource& src, std::span<const std::string> Tags, int HighIx, std::string& Attributes,
                std::string& Content) {
  Attributes.clear();
  Content.clear();
  const int last = std::min<int>(HighIx, static_cast<int>(Tags.size()) - 1);
  char c;
  bool have_lt = false;  // a "<" was already consumed by an aborted tag
  for (;;) {
    if (!have_lt) {
      do {
        if (!src.Get(c)) return HighIx;
      } while (c != '<');
    }
    have_lt = false;
    char next;
    if (!src.Peek(next)) return HighIx;
    if (next == '!') {
      src.Get(next);
      char d1, d2;
      if (src.Peek(d1) && d1 == '-') {
        src.Get(d1);
        if (src.Peek(d2) && d2 == '-') {
          src.Get(d2);
          if (!SkipPast(src, "-->")) return HighIx;
          continue;
        }
      }
      if (!SkipPast(src, ">")) return HighIx;
      continue;
    }
    if (next == '?') {
      if (!SkipPast(src, "?>")) return HighIx;
      continue;
    }

    std::string tag;
    const TagScan scan = ReadTagText(src, tag);
    if (scan == TagScan::End) return HighIx;
    if (scan == TagScan::Restart) {
      have_lt = true;
      continue;
    }

    std::size_t i = 0;
    while (i < tag.size() && tag[i] == ' ') ++i;
    const std::size_t name_start = i;
    if (i < tag.size() && tag[i] == '/') ++i;
    while (i < tag.size() && tag[i] != ' ' && tag[i] != '/') ++i;
    const std::string name = tag.substr(name_start, i - name_start);
    std::string rest = TrimBlanks(tag.substr(i));
    const bool self_closing = !rest.empty() && rest.back() == '/';
    if (self_closing) rest = TrimBlanks(rest.substr(0, rest.size() - 1));

    int index = -1;
    for (int k = 0; k <= last; ++k)
      if (EqualNoCase(name, Tags[static_cast<std::size_t>(k)])) {
        index = k;
        break;
      }
    if (index < 0 || name.empty()) continue;

    Attributes = rest;
    if (self_closing || name[0] == '/') return index;

    // The content runs to the next tag. When that is the element's own end
    // tag it is consumed; any other tag is left for the next call, so an
    // opening block tag does not swallow the elements that follow it.
    while (src.Peek(c)) {
      if (c == '<') {
        std::string look(1, c);
        src.Get(c);
        // A comment inside the content is dropped and the content goes on.
        if (src.Peek(c) && c == '!') {
          src.Get(c);
          look += c;
          if (src.Peek(c) && c == '-') {
            src.Get(c);
            look += c;
            if (src.Peek(c) && c == '-') {
              src.Get(c);
              if (!SkipPast(src, "-->")) break;
              continue;
            }
          }
          src.PushBack(look);
          break;
        }
        bool own_end = true;
        for (char w : "/" + name) {
          if (!src.Peek(c) || Lower(c) != Lower(w)) {
            own_end = false;
            break;
          }
          src.Get(c);
          look += c;
        }
        if (own_end) {
          while (src.Peek(c) && IsBlank(c)) {
            src.Get(c);
            look += c;
          }
          if (src.Peek(c) && c == '>') {
            src.Get(c);
            break;
          }
        }
        src.PushBack(look);
        break;
      }
      src.Get(c);
      if (c == '\n' && !Content.empty() && Content.back() == '\r') Content.pop_back();
      Content += c;
    }
    if (!Content.empty() && Content.back() == '\r') Content.pop_back();
    return index;
  }
}

}  // namespace

int ReadNextTagInTextFile(TTextFile& F, std::span<const std::string> Tags, int HighIx, std::string& Attributes,
                          std::string& Content) {
  TextFileSource src(F);
  return ReadNextTag(src, Tags, HighIx, Attributes, Content);
}

int ReadNextTagInStream(TStream* Stream, std::span<const std::string> Tags, int HighIx, std::string& Attributes,
                        std::string& Content) {
  if (!Stream) throw EOrqError("ReadNextTagInStream: no stream");
  StreamSource src(Stream);
  return ReadNextTag(src, Tags, HighIx, Attributes, Content);
}

void WriteLnStream(TStream* Stream, const std::string& Text) {
  if (!Stream) throw EOrqError("WriteLnStream: no stream");
  const std::string bytes = Utf8ToCp1252(Text) + "\r\n";
  Stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

}  // namespace orq
