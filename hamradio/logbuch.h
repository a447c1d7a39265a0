#pragma once
// Field numbers of a QSO log. Every field of a log has a number (1 to 49)
// and two names: the program's own, shown in lists and field choosers, and
// the ADIF tag under which it is exchanged (empty for the few fields that
// ADIF has no tag for).
#include <span>
#include <string_view>

enum TQsoField : int {
  qfNummer = 1, qfCall, qfDxcc, qfDatum, qfUtc, qfUtcEnde, qfBand, qfFrequenz, qfMode,
  qfRstGesendet, qfRstEmpfangen, qfQslGesendet, qfQslEmpfangen, qfQslVia, qfPrefix, qfWaz,
  qfItu, qfName, qfQth, qfLocator, qfDok, qfKontinent, qfLand, qfIota, qfStaat, qfKreis,
  qfLeistung, qfStation, qfAntenne, qfBemerkung, qfNotiz, qfOperator, qfEigenesCall,
  qfEigenerLocator, qfEntfernung, qfContest, qfNrGesendet, qfNrEmpfangen, qfAusbreitung,
  qfSatellit, qfSatMode, qfEqslGesendet, qfEqslEmpfangen, qfLotwGesendet, qfLotwEmpfangen,
  qfQslGesendetAm, qfQslEmpfangenAm, qfEmail, qfAdifNr,
};

inline constexpr int kQsoFieldCount = 49;

struct TQsoFieldName {
  int Number;
  const char* Name;      // the program's own name ("Call", "Datum", "UTC")
  const char* AdifName;  // ADIF tag ("CALL", "QSO_DATE", "TIME_ON") or ""
};

// All fields in number order.
std::span<const TQsoFieldName> QsoFields();
// The program's name / ADIF tag of a field number; "" for numbers outside 1..49.
const char* QsoFieldName(int number);
const char* QsoFieldAdifName(int number);
// The number of a field named in either vocabulary (case ignored), 0 when none.
int QsoFieldNumber(std::string_view name);
