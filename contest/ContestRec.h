#pragma once
// TContestRec: the in-memory description of one contest (modes, bands,
// periods, classes, exchange, duplicate rule, multipliers, outputs and export
// header values). It is never stored; the contest definitions rebuild it from
// the contest letter and every other part of the program reads copies of it.
//
// Arrays are zero-based here: entry n of a list (class n, period n, sent
// field n) is index n - 1. Fixed-capacity texts are TShortStr<N>; the eight
// texts without a fixed capacity are std::string.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

// A text of at most N characters held inline (a length and the characters),
// like the short strings of the records. Assigning a longer text keeps its
// first N characters; the unused characters are always zero, so two equal
// texts are equal byte for byte.
template <size_t N>
class TShortStr {
  static_assert(N >= 1 && N <= 255, "a short string holds 1 to 255 characters");

 public:
  TShortStr() = default;
  TShortStr(std::string_view s) { assign(s); }  // NOLINT: implicit like a Pascal string
  TShortStr& operator=(std::string_view s) {
    assign(s);
    return *this;
  }

  void assign(std::string_view s) {
    const size_t n = s.size() < N ? s.size() : N;
    for (size_t i = 0; i < N; ++i) data_[i] = i < n ? s[i] : '\0';
    len_ = static_cast<uint8_t>(n);
  }
  void clear() { assign({}); }

  static constexpr size_t capacity() { return N; }
  size_t size() const { return len_; }
  bool empty() const { return len_ == 0; }
  const char* data() const { return data_; }
  std::string_view view() const { return std::string_view(data_, len_); }
  std::string str() const { return std::string(data_, len_); }
  operator std::string_view() const { return view(); }  // NOLINT

  friend bool operator==(const TShortStr& a, const TShortStr& b) { return a.view() == b.view(); }
  friend bool operator==(const TShortStr& a, std::string_view b) { return a.view() == b; }
  friend std::ostream& operator<<(std::ostream& os, const TShortStr& s) { return os << s.view(); }

 private:
  uint8_t len_ = 0;
  char data_[N] = {};
};

using TStr255 = TShortStr<255>;

// A set of 0..255 as 32 bytes, element e being bit e mod 8 of byte e div 8.
struct TByteSet {
  std::array<uint8_t, 32> Bits{};

  TByteSet() = default;
  TByteSet(std::initializer_list<int> elements) {
    for (int e : elements) Include(e);
  }
  // The elements lo..hi.
  static TByteSet Range(int lo, int hi) {
    TByteSet s;
    for (int e = lo; e <= hi; ++e) s.Include(e);
    return s;
  }

  // Sets of kinds name their elements.
  template <typename E>
    requires std::is_enum_v<E>
  TByteSet(std::initializer_list<E> elements) {
    for (E e : elements) Include(e);
  }
  template <typename E>
    requires std::is_enum_v<E>
  bool Contains(E e) const {
    return Contains(static_cast<int>(e));
  }
  template <typename E>
    requires std::is_enum_v<E>
  void Include(E e) {
    Include(static_cast<int>(e));
  }

  bool Contains(int e) const {
    return e >= 0 && e <= 255 && (Bits[static_cast<size_t>(e) >> 3] >> (e & 7)) & 1;
  }
  void Include(int e) {
    if (e >= 0 && e <= 255) Bits[static_cast<size_t>(e) >> 3] |= static_cast<uint8_t>(1u << (e & 7));
  }
  void Exclude(int e) {
    if (e >= 0 && e <= 255)
      Bits[static_cast<size_t>(e) >> 3] &= static_cast<uint8_t>(~(1u << (e & 7)));
  }
  bool Empty() const {
    for (uint8_t b : Bits)
      if (b) return false;
    return true;
  }
  void Clear() { Bits.fill(0); }
  TByteSet& operator+=(const TByteSet& o) {
    for (size_t i = 0; i < Bits.size(); ++i) Bits[i] |= o.Bits[i];
    return *this;
  }
  friend bool operator==(const TByteSet& a, const TByteSet& b) { return a.Bits == b.Bits; }
};
static_assert(sizeof(TByteSet) == 32, "a set of 0..255 takes 32 bytes");

// Kinds of the exchange fields (ReceivedKinds, SentKinds): what a field
// holds and how the entry, the save and the autofill act on it. The numbers
// are those the contest definitions write.
enum class ExchangeKind : int32_t {
  None = 0,                // the field is not used
  Prefix = 1,              // captioned "Prefix"
  Dok = 4,                 // checked against the DOK rules; also under the captions LDK and Area
  Locator = 5,             // the big square (four characters)
  LocatorDistance = 6,     // six characters; the log window shows distance and bearing
  Serial = 7,              // the QSO number; for letter 'v' the member number
  Area = 8,                // DOK or area code, not checked
  ModeNumber = 11,         // the running number within the mode; letter 'Z' receives the
                           // worked station's DXCC country in this field
  UsState = 12,            // stored in WAZ_USStaat
  BandNumber = 13,         // the running number on the band; the first field of letter 'K'
  TwoCharArea = 15,        // postal area ("PLZ"), stored in WAZ_USStaat
  MemberDigAgcwIbfd = 16,  // four-character member number, stored in Call2
  DokOfDokStations = 17,   // entered like Area; shown only for DOK stations
  MemberNavalQcwaDsw = 19, // six-character member number, stored in Call2
  Name = 20,               // the operator's name
  FreeText = 99,           // class, age, member years: kept only as exchange text
};
inline std::ostream& operator<<(std::ostream& os, ExchangeKind k) { return os << static_cast<int32_t>(k); }

// The kinds that carry a running number: a new entry sends the number of
// its kind, and the save writes one- and two-digit values with three digits.
constexpr bool IsNumberKind(ExchangeKind k) {
  return k == ExchangeKind::Serial || k == ExchangeKind::ModeNumber || k == ExchangeKind::BandNumber;
}

// Both locator kinds: the entry takes the locator and its distance from either.
constexpr bool IsLocatorKind(ExchangeKind k) {
  return k == ExchangeKind::Locator || k == ExchangeKind::LocatorDistance;
}

// Duplicate rules (DupeRule), as the duplicate check applies them.
namespace DupeRule {
constexpr uint8_t NoCheck = 0;
constexpr uint8_t BandAndMode = 1;
constexpr uint8_t Band = 2;
constexpr uint8_t Mode = 3;                 // SSB, LSB and USB are one mode
constexpr uint8_t BandPeriodAndDay = 4;
constexpr uint8_t OncePerContest = 5;
constexpr uint8_t BandAndModeAccepted = 7;
constexpr uint8_t BandAndModeWarned = 8;
constexpr uint8_t BandAlso = 9;             // as Band
constexpr uint8_t OncePerContestWarned = 10;
}  // namespace DupeRule

// The rule the duplicate check applies for a stored rule byte: a code the
// definitions never write (6, above 10) means no check, never a guess.
uint8_t EffectiveDupeRule(uint8_t rule);

// Elements of MultiplierKinds. A counted kind is matched against the
// multiplier captions and has a list of its own in the log window; the
// others are conditions the counting and the set-up dialog ask. The kinds
// stay numbers where they index the multiplier lists, so the enumerators are
// written qualified (MultiplierKind::Dok) and convert to their number.
namespace multiplierkind {
enum MultiplierKind : uint8_t {
  Prefix = 1,               // "Prefix"
  DxccOrPrefix = 2,         // "DXCC" or "Prefix"
  DlCounts = 3,             // condition of DxccOrPrefix: the DXCC "DL" counts too
  Dok = 4,                  // "DOK", "Area" or "LDK"
  Locator = 5,              // "Loc"
  SixCharLocator = 6,       // not counted; a changed locator of a QSO means a recount
  AreaLabel = 8,            // counted as Dok; the set-up dialog names the DOK field "Area"
  EuropeOnly = 9,           // condition of DxccOrPrefix: only European entities count
  Callmulti = 10,           // "Callmulti"
  UsState = 12,             // "US-State"
  WaeAreas = 14,            // the WAE areas count as DXCC entities of their own
  Plz = 15,                 // "PLZ"
  ClubDigIbfdAgcwQcwa = 16, // "DIG", "IBFD", "AGCW" or "QCWA"
  Ldk = 17,                 // counted as Dok; the DOK field becomes "LDK"
  DokOrDistrict = 18,       // "DOK" or "Distrikt"
  ClubNavalQcwaDsw = 19,    // "Naval", "QCWA" or "DSW"
  AnyDokAsDistrict = 21,    // condition of DokOrDistrict for letter 'W': every DOK counts
};
}  // namespace multiplierkind
using multiplierkind::MultiplierKind;

// The log counts DOK multipliers, also where the set names them
// as areas or LDKs.
inline bool CountsDoks(const TByteSet& kinds) {
  return kinds.Contains(MultiplierKind::Dok) || kinds.Contains(MultiplierKind::AreaLabel) ||
         kinds.Contains(MultiplierKind::Ldk);
}

// The ADIF tag of the partner's DOK: the contests that count areas or LDKs
// name the field so.
inline const char* DokAdifTag(const TByteSet& kinds) {
  return kinds.Contains(MultiplierKind::AreaLabel) ? "AREA" : kinds.Contains(MultiplierKind::Ldk) ? "LDK" : "DOK";
}

// Elements of OutputKinds: the entries of the set-up dialog's output menu
// that a contest offers.
namespace outputelement {
enum OutputElement : uint8_t {
  ELogCoverSheet = 1,
  ELogList = 2,
  Stf = 3,
  Adif = 4,
  PaperCoverSheet = 5,
  PaperList = 6,
  PaperBandList = 7,
  PaperMultiCheck = 8,
  Cabrillo = 9,  // also makes the e-mail address a required input of the set-up dialog
  ELogBandList = 10,
  ELogMultiCheck = 12,
  Edi = 13,
};
}  // namespace outputelement
using outputelement::OutputElement;

// Output kinds handed to the log-output writer (0..16), as the menu entries
// pass them.
namespace outputkind {
enum OutputKind : uint8_t {
  PaperCoverSheet = 0,
  Spare = 1,  // known to the writer; no menu entry passes it
  PaperMultiCheck = 2,
  PaperBandList = 3,
  PaperList = 4,
  PaperAll = 5,  // the four paper outputs one after another
  ELogCoverSheet = 6,
  ELogList = 7,
  Stf = 8,
  Adif = 9,
  Cabrillo = 10,
  ELogBandList = 11,
  ELogWhole = 12,
  Csv = 13,
  ELogMultiCheck = 14,
  Edi = 15,
  ELogSpare = 16,  // the whole E-Log of letters '5' and 'P': no file, no writer
};
}  // namespace outputkind
using outputkind::OutputKind;

// One timed section of a contest.
struct TContestPeriod {
  TStr255 Date;      // "dd.mm.yyyy"
  TStr255 Date2;     // never set by the definitions; readers fall back to Date
  TStr255 FromTime;  // "hh:mm:ss"
  TStr255 ToTime;
  std::array<char, 10> Bands{};  // band letters, '\0' ends the list
};

// One class (category) of a contest.
struct TContestClass {
  TStr255 Text;        // line of the category list; empty ends the list
  uint8_t Period = 0;  // 1..10: the entry of Periods for this class; 0 none
  TStr255 Name;        // short name written into outputs
};

struct TContestRec {
  bool SwlLog = false;
  std::array<TStr255, 100> Modes{};
  std::array<char, 100> BandLetters{};
  TByteSet MultiplierKinds;
  std::array<TContestPeriod, 10> Periods{};
  int32_t ContestNumber = 0;
  std::array<TStr255, 3> MultiplierCaptions{};
  TStr255 TitleLine;
  std::array<ExchangeKind, 3> ReceivedKinds{};
  std::array<ExchangeKind, 3> SentKinds{};
  std::array<TStr255, 3> SentDefaults{};
  uint8_t DupeRule = 0;
  std::array<TStr255, 100> CheckDoks{};
  std::array<char, 26> CheckDistricts{};
  std::array<TStr255, 100> BonusStations{};
  std::array<TStr255, 100> BonusDoks{};
  std::array<char, 26> BonusDistricts{};
  std::array<TStr255, 100> SpecialDoks{};
  std::array<char, 26> SpecialDistricts{};
  TStr255 DisplayTitle;
  TStr255 EditionTitle;
  std::string EditionName;
  std::array<TContestClass, 20> Classes{};
  TStr255 FirstDate, LastDate;
  TStr255 StartTime, EndTime;
  int32_t TimeZoneHours = 0;
  TStr255 ExtraText;
  uint8_t LogOption = 0;
  uint8_t MultiplierMode = 0;  // 0 and 2 per band, 1 once per contest
  TByteSet OutputKinds;
  TByteSet ExtraKinds;
  bool NoScoreFormula = false;
  bool Flag3 = false;  // any-DOK flag: every valid club or special DOK counts as a multiplier
  bool PerBandScore = false;
  TStr255 MemberClub;
  TStr255 MemberClub2;
  bool AutoBand = false;
  std::array<TStr255, 3> ExchangeCaptions{};
  std::string CabrilloBand;
  std::string CabrilloMode;
  std::string CabrilloSpare;
  std::string CabrilloContest;
  std::string CabrilloPower;
  std::string CabrilloAssisted;
  std::string CabrilloOperator;

  // Back to the state of a freshly made record: every text empty, every
  // number 0, every set empty.
  void Clear() { *this = TContestRec(); }

  // Number of used entries of the gap-free lists (a band slot holding '\0'
  // or a blank is unused).
  int ModeCount() const;
  int BandCount() const;
  int ClassCount() const;
};
