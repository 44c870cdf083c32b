#include "output/word_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

#include "base/processor.h"
#include "database/word_files.h"
#include "database/word_steps.h"

namespace stavbas {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// The first bytes a divider token may have, so that most words are known not to be one at a
// glance: the dividers themselves and the brackets that may stand before them.
constexpr std::array<bool, 256> kDividerStarts = [] {
  std::array<bool, 256> t = kDividers;
  t['('] = t['['] = true;
  return t;
}();

// The first blank of `line` at or after `from`, or its end. Tokens are short: one look at
// sixteen bytes finds the end of most.
std::size_t BlankFrom(std::string_view line, std::size_t from) {
#if defined(__SSE2__)
  const __m128i blank = _mm_set1_epi8(' ');
  for (; from + 16 <= line.size(); from += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + from));
    const auto blanks = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, blank)));
    if (blanks) return from + static_cast<std::size_t>(__builtin_ctz(blanks));
  }
#endif
  while (from < line.size() && line[from] != ' ') ++from;
  return from;
}

#if defined(__GNUC__) && defined(__x86_64__)
#define STAVBAS_COMPRESSED_QUOTES 1
// Copies `text` to `to` without its name marks, 64 bytes a step with the processor's byte
// compress; returns the bytes written. Each step stores 64 bytes, so `to` needs that many after
// the text's room; no byte after the text is read.
__attribute__((target("avx512f,avx512bw,avx512vbmi2,popcnt"))) std::size_t CopyWithoutQuotes(
    std::string_view text, char* to) {
  const __m512i quote = _mm512_set1_epi8('"');
  char* const start = to;
  for (std::size_t k = 0; k < text.size(); k += 64) {
    const std::size_t n = std::min<std::size_t>(64, text.size() - k);
    const __mmask64 in = n == 64 ? ~__mmask64{0} : (__mmask64{1} << n) - 1;
    const __m512i v = _mm512_maskz_loadu_epi8(in, text.data() + k);
    const __mmask64 keep = _mm512_mask_cmpneq_epi8_mask(in, v, quote);
    _mm512_storeu_si512(to, _mm512_maskz_compress_epi8(keep, v));
    to += _mm_popcnt_u64(keep);
  }
  return static_cast<std::size_t>(to - start);
}

// Whether name marks are left out by the compress; tests may turn it off.
bool compressQuotes = ProcessorHasAvx512Vbmi2();
#endif

// A run of tokens in the words' style from `pos` (where a token starts, with `more`): each
// token is passed that does not start with "§" or, in runic text, with a bracket that may open
// a divider, and that is not word number `next`; runic dividers pass without being counted.
// `to` becomes the end of the last token passed, `pos` the start of the next one (past the
// line's end, with `more` false, where the line's last token was passed).
struct TokenRun {
  std::size_t pos, to;
  bool more;
  int number;  // of the last word passed
};

#if defined(STAVBAS_WIDE_WORD_BLOCKS)
// A run of tokens passed 64 bytes a step: the tokens' starts, and those that end the run, from
// masks.
__attribute__((target("avx512f,avx512bw,popcnt"))) void PassTokenRun64(std::string_view line,
                                                                       bool runic, int next,
                                                                       TokenRun& r) {
  if (!r.more) return;
  std::uint64_t carry = 1;  // the first byte starts a token
  for (std::size_t b = r.pos;; b += 64) {
    const std::size_t n = line.size() - std::min(b, line.size());  // bytes left from b
    const std::uint64_t in = n >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
    const __m512i v = _mm512_maskz_loadu_epi8(in, line.data() + std::min(b, line.size()));
    const std::uint64_t blanks = blocks64::Same(v, ' ') & in;
    // A token may start on the byte after the line's last, when a blank ends the line.
    const std::uint64_t starts = (blanks << 1) | carry;
    std::uint64_t stopping = starts & blocks64::Same(v, '\xA7');
    std::uint64_t uncounted = 0;
    if (runic) {
      stopping |= starts & (blocks64::Same(v, '(') | blocks64::Same(v, '['));
      uncounted = starts & blocks64::DividerBits(v) & ~stopping;
    }
    const std::uint64_t words = starts & ~stopping & ~uncounted;
    // The word that would be number `next` ends the run too.
    const int allowed = next - 1 - r.number;
    std::uint64_t beyond = 0;
    if (allowed < 64 && std::popcount(words) > allowed) {
      std::uint64_t w = words;
      for (int k = 0; k < allowed; ++k) w &= w - 1;
      beyond = w & (0 - w);
    }
    const std::uint64_t ending = stopping | beyond;
    if (ending != 0) {
      const int k = std::countr_zero(ending);
      r.number += std::popcount(words & ((std::uint64_t{1} << k) - 1));
      if (b + static_cast<std::size_t>(k) > r.pos) {
        r.to = b + static_cast<std::size_t>(k) - 1;
        r.pos = b + static_cast<std::size_t>(k);
      }
      return;
    }
    r.number += std::popcount(words);
    if (n < 64) {  // the line's last token passes
      r.to = line.size();
      r.pos = line.size() + 1;
      r.more = false;
      return;
    }
    carry = blanks >> 63;
  }
}
#endif

// The widest way the processor takes, unless tests limit it. Asked of the processor itself:
// the word passing's own choice is made by another file's initialiser, which may run later.
bool tokenRunBlocks = WidestBlocks(64) == 64;

// Appends `before` and `text` in one style, the name marks left out of the text when asked.
void AppendPiece(StagingBuffer& out, std::string_view before, std::string_view text,
                 std::uint32_t style, bool dropQuotes) {
#if defined(STAVBAS_COMPRESSED_QUOTES)
  // Normalised text has name marks in nearly every line: one pass drops them all.
  if (dropQuotes && compressQuotes) {
    char* p = out.Room(before.size() + text.size());
    for (const char c : before) *p++ = c;
    out.Commit(before.size() + CopyWithoutQuotes(text, p), style);
    return;
  }
#endif
  if (dropQuotes) {
    while (const void* q = std::memchr(text.data(), '"', text.size())) {
      const auto n = static_cast<std::size_t>(static_cast<const char*>(q) - text.data());
      out.AppendIn(before, text.substr(0, n), style);
      before = {};
      text.remove_prefix(n + 1);
    }
  }
  out.AppendIn(before, text, style);
}

}  // namespace

void LimitWordTextWidth(int widest) {
#if defined(STAVBAS_COMPRESSED_QUOTES)
  compressQuotes = widest >= 64 && ProcessorHasAvx512Vbmi2();
#endif
  tokenRunBlocks = widest >= 64 && WidestBlocks(64) == 64;
}

namespace {

// WriteWordText, with the runs of plain tokens passed 64 bytes a step (kWide) or token by token;
// each way compiled on its own, so that the narrow one keeps its registers for its loop.
template <bool kWide>
bool WriteWordTextIn(StagingBuffer& out, std::string_view line, const WordTextLayout& layout,
                     const std::vector<std::uint8_t>& codes, int lastSpecial) {
  if (line.empty()) return false;
  // The words lie between single blanks; a blank at the very end leaves an empty last word,
  // which is no word.
  if (line.back() == ' ') line.remove_suffix(1);
  // Words from here on that start with a page mark's "§" need a look of their own.
  const void* section = memrchr(line.data(), '\xA7', line.size());
  const std::size_t lastSection =
      section ? static_cast<std::size_t>(static_cast<const char*>(section) - line.data()) : kNone;

  bool shown = false;
  int number = 0;             // of the last word taken; dividers are not counted
  bool dividerFirst = false;  // the line starts with a divider: the first word gets a blank
  bool firstToken = true;     // no page mark taken yet
  std::size_t pos = 0;        // where the next token starts
  bool more = true;           // there is a next token (it may be empty)

  // The open piece: tokens written the same way, one after the other, as they lie in the line.
  std::size_t pieceStart = kNone, pieceEnd = 0;
  std::string_view pieceBefore;
  std::uint32_t pieceStyle = 0;
  auto flush = [&] {
    if (pieceStart == kNone) return;
    AppendPiece(out, pieceBefore, line.substr(pieceStart, pieceEnd - pieceStart), pieceStyle,
                layout.dropQuotes);
    pieceStart = kNone;
  };
  // A token written as a word: with a blank before it, it continues an open piece of its style.
  auto written = [&](std::size_t start, std::size_t end, std::string_view before,
                     std::uint32_t style) {
    shown = true;
    if (pieceStart != kNone && style == pieceStyle && !before.empty()) {
      pieceEnd = end;
      return;
    }
    flush();
    pieceStart = start;
    pieceEnd = end;
    pieceBefore = before;
    pieceStyle = style;
  };
  auto blank = [&] { return BlankBefore(number, dividerFirst); };

  // Whether word number k is written otherwise than in the words' style.
  auto special = [&](int k) {
    const std::uint8_t code =
        static_cast<std::size_t>(k) < codes.size() ? codes[k] : std::uint8_t{0};
    return code == 2 || (code == 1 && layout.hit != layout.word);
  };
  // Token by token while a word may need a look of its own; past that, every token is a word or
  // a divider in the words' style with a blank before it.
  auto lookAhead = [&] {
    return more &&
           (number == 0 || number < lastSpecial || (lastSection != kNone && pos <= lastSection));
  };
  while (lookAhead()) {
    if (number >= 1) {
      // After the first word, the tokens up to the next that needs a look of its own (a word
      // written otherwise, one starting with "§", a bracket that may open a divider) are words
      // and dividers in the words' style with a blank before each: counted and taken together.
      int next = number + 1;
      while (next <= lastSpecial && !special(next)) ++next;
      const std::size_t from = pos;
      std::size_t to = pos;
#if defined(STAVBAS_WIDE_WORD_BLOCKS)
      if constexpr (kWide) {
        TokenRun run{pos, pos, more, number};
        PassTokenRun64(line, layout.runic, next, run);
        pos = run.pos;
        to = run.to;
        more = run.more;
        number = run.number;
      } else
#endif
      {
        while (more) {
          const auto c = static_cast<unsigned char>(pos < line.size() ? line[pos] : '\0');
          if (layout.runic && kDividerStarts[c]) {
            if (c == '(' || c == '[') break;
          } else if (c == 0xA7 || number + 1 >= next) {
            break;
          } else {
            ++number;
          }
          to = BlankFrom(line, pos);
          more = to < line.size();
          pos = to + 1;
        }
      }
      if (pos > from) written(from, to, " ", layout.word);
      if (!lookAhead()) break;
    }
    const std::size_t start = pos;
    const std::size_t end = BlankFrom(line, pos);
    more = end < line.size();
    pos = end + 1;
    const std::string_view token = line.substr(start, end - start);
    if (layout.runic && !token.empty() && kDividerStarts[static_cast<unsigned char>(token[0])] &&
        IsDividerToken(token)) {
      if (number == 0) {  // leading dividers are written together without blanks
        flush();
        dividerFirst = true;
        shown = true;
        out.AppendIn(token, layout.word);
      } else {
        written(start, end, " ", layout.word);
      }
      continue;
    }
    ++number;
    const std::uint8_t code =
        static_cast<std::size_t>(number) < codes.size() ? codes[number] : std::uint8_t{0};
    if (code == 1) {
      written(start, end, blank(), layout.hit);
    } else if (code == 0) {
      if (IsPageMark(token)) {  // a page mark the main file does not have
        flush();
        continue;
      }
      written(start, end, blank(), layout.word);
    } else {  // a page mark
      flush();
      const std::string_view before =
          layout.breakAtMarks && !firstToken ? layout.markBreak : blank();
      firstToken = false;
      if (layout.pageMarks) {
        out.AppendIn(before, token, layout.plain);
        shown = true;
      } else {
        out.AppendIn(before, layout.plain);
      }
    }
  }
  if (more) written(pos, line.size(), " ", layout.word);
  flush();
  return shown;
}

}  // namespace

bool WriteWordText(StagingBuffer& out, std::string_view line, const WordTextLayout& layout,
                   const std::vector<std::uint8_t>& codes, int lastSpecial) {
  return tokenRunBlocks ? WriteWordTextIn<true>(out, line, layout, codes, lastSpecial)
                        : WriteWordTextIn<false>(out, line, layout, codes, lastSpecial);
}

}  // namespace stavbas
