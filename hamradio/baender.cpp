#include "hamradio/baender.h"

#include <cmath>

#include "hamradio/modi.h"
#include "hamradio/textkey.h"

TBaender ToBaender;

namespace {

// Edges: IARU Region 1 allocations. Default frequencies: a usual calling or
// activity frequency of the mode's segment in the Region 1 band plans.
constexpr TZq5Band kBands[] = {
    // code name    name2     short     short2   low       high      wave  default   cw        phone     fm        digital
    {'r', "2190m", "2190m", "2190M", "2190M", 0.1357, 0.1378, 2190, 0.1370, 0.1365, 0.1370, 0.1370, 0.1376},
    {'a', "160 m", "160m", "160M", "1800", 1.810, 2.000, 160, 1.830, 1.830, 1.850, 1.850, 1.838},
    {'b', "80 m", "80m", "80M", "3500", 3.500, 3.800, 80, 3.600, 3.540, 3.700, 3.700, 3.590},
    {'c', "40 m", "40m", "40M", "7000", 7.000, 7.200, 40, 7.050, 7.020, 7.100, 7.100, 7.040},
    {'d', "30 m", "30m", "30M", "10000", 10.100, 10.150, 30, 10.120, 10.120, 10.130, 10.130, 10.140},
    {'e', "20 m", "20m", "20M", "14000", 14.000, 14.350, 20, 14.150, 14.030, 14.200, 14.200, 14.080},
    {'f', "17 m", "17m", "17M", "18000", 18.068, 18.168, 17, 18.100, 18.080, 18.130, 18.130, 18.100},
    {'g', "15 m", "15m", "15M", "21000", 21.000, 21.450, 15, 21.200, 21.030, 21.250, 21.250, 21.080},
    {'h', "12 m", "12m", "12M", "25000", 24.890, 24.990, 12, 24.940, 24.900, 24.950, 24.950, 24.920},
    {'i', "10 m", "10m", "10M", "28000", 28.000, 29.700, 10, 28.500, 28.030, 28.500, 29.600, 28.080},
    {'j', "6 m", "6m", "6M", "50", 50.000, 52.000, 6, 50.150, 50.090, 50.150, 51.510, 50.300},
    {'u', "4 m", "4m", "4M", "70", 70.000, 70.500, 4, 70.200, 70.050, 70.200, 70.450, 70.100},
    {'k', "2 m", "2m", "2M", "144", 144.000, 146.000, 2, 144.300, 144.050, 144.300, 145.500, 144.140},
    {'l', "70 cm", "70cm", "70CM", "432", 430.000, 440.000, 70, 432.200, 432.050, 432.200, 433.500, 432.100},
    {'m', "23 cm", "23cm", "23CM", "1.2G", 1240.000, 1300.000, 23, 1296.200, 1296.050, 1296.200, 1297.500, 1296.140},
    {'n', "13 cm", "13cm", "13CM", "2.3G", 2300.000, 2450.000, 13, 2320.200, 2320.050, 2320.200, 2320.200, 2320.140},
    {'o', "9 cm", "9cm", "9CM", "3.4G", 3400.000, 3475.000, 9, 3400.200, 3400.050, 3400.200, 3400.200, 3400.100},
    // The 6 cm wavelength is taken by the 6 m band, which comes first.
    {'p', "6 cm", "6cm", "6CM", "5.7G", 5650.000, 5850.000, 6, 5760.200, 5760.050, 5760.200, 5760.200, 5760.100},
    {'q', "3 cm", "3cm", "3CM", "10G", 10000.000, 10500.000, 3, 10368.200, 10368.050, 10368.200, 10368.200, 10368.100},
    // 1.2 and 0.6 typed alone read as frequencies, not as these wavelengths.
    {'s', "1.2cm", "1.25cm", "1.25CM", "24G", 24000.000, 24250.000, 0, 24048.200, 24048.050, 24048.200, 24048.200, 24048.100},
    {'t', "0.6cm", "6mm", "6MM", "47G", 47000.000, 47200.000, 0, 47088.200, 47088.050, 47088.200, 47088.200, 47088.100},
};

// Frequencies live in QSO records as single-precision floats; the edges are
// compared at that precision so that a stored 29.7 still lies in 10 m.
bool Inside(const TZq5Band& b, double mhz) {
  const float f = static_cast<float>(mhz);
  return f >= static_cast<float>(b.Low) && f <= static_cast<float>(b.High);
}

}  // namespace

std::span<const TZq5Band> TBaender::Bands() const { return kBands; }

const TZq5Band* TBaender::Find(char code) const {
  for (const auto& b : kBands)
    if (b.Code == code) return &b;
  return nullptr;
}

std::string TBaender::BandName(char code, int flag) const {
  if (code == '0') return "all";
  const TZq5Band* b = Find(code);
  if (!b) return "???";
  return flag == 1 ? b->Name2 : b->Name;
}

std::string TBaender::BandShortName(char code, int flag) const {
  if (code == '0') return "ALL";
  const TZq5Band* b = Find(code);
  if (!b) return "-";
  return flag == 1 ? b->ShortName2 : b->ShortName;
}

char TBaender::BandCodeFromText(std::string_view text) const {
  const std::string key = BlankFreeUpper(text);
  if (key.empty()) return ' ';
  for (const auto& b : kBands)
    for (const char* name : {b.Name, b.Name2, b.ShortName, b.ShortName2})
      if (BlankFreeUpper(name) == key) return b.Code;
  return ' ';
}

char TBaender::BandFromFrequency(double mhz) const {
  for (const auto& b : kBands)
    if (Inside(b, mhz)) return b.Code;
  return ' ';
}

double TBaender::NormalizeFrequency(double value) const {
  for (const auto& b : kBands)
    if (Inside(b, value / 1000.0)) return value / 1000.0;
  for (const auto& b : kBands)
    if (b.Wavelength > 0 && std::fabs(value - b.Wavelength) < 1e-6) return b.Default;
  return value;
}

double TBaender::ModeDefaultFrequency(char code, char modeClass) const {
  const TZq5Band* b = Find(code);
  if (!b) return 0;
  switch (modeClass) {
    case kModeClassCw: return b->Cw;
    case kModeClassPhone: return b->Phone;
    case kModeClassFm: return b->Fm;
    case kModeClassDigital: return b->Digital;
    default: return b->Default;
  }
}

double TBaender::DefaultFrequency(std::string_view bandText) const {
  const TZq5Band* b = Find(BandCodeFromText(bandText));
  return b ? b->Default : 0;
}
