#include "hamradio/logbuch.h"

#include "hamradio/textkey.h"

namespace {

constexpr TQsoFieldName kFields[kQsoFieldCount] = {
    {qfNummer, "Nummer", ""},
    {qfCall, "Call", "CALL"},
    {qfDxcc, "DXCC", "DXCC"},
    {qfDatum, "Datum", "QSO_DATE"},
    {qfUtc, "UTC", "TIME_ON"},
    {qfUtcEnde, "UTC-Ende", "TIME_OFF"},
    {qfBand, "Band", "BAND"},
    {qfFrequenz, "Frequenz", "FREQ"},
    {qfMode, "Mode", "MODE"},
    {qfRstGesendet, "RST gesendet", "RST_SENT"},
    {qfRstEmpfangen, "RST empfangen", "RST_RCVD"},
    {qfQslGesendet, "QSL gesendet", "QSL_SENT"},
    {qfQslEmpfangen, "QSL empfangen", "QSL_RCVD"},
    {qfQslVia, "QSL via", "QSL_VIA"},
    {qfPrefix, "Prefix", "PFX"},
    {qfWaz, "WAZ", "CQZ"},
    {qfItu, "ITU", "ITUZ"},
    {qfName, "Name", "NAME"},
    {qfQth, "QTH", "QTH"},
    {qfLocator, "Locator", "GRIDSQUARE"},
    {qfDok, "DOK", "DARC_DOK"},
    {qfKontinent, "Kontinent", "CONT"},
    {qfLand, "Land", "COUNTRY"},
    {qfIota, "IOTA", "IOTA"},
    {qfStaat, "Staat", "STATE"},
    {qfKreis, "Kreis", "CNTY"},
    {qfLeistung, "Leistung", "TX_PWR"},
    {qfStation, "Station", "MY_RIG"},
    {qfAntenne, "Antenne", "MY_ANTENNA"},
    {qfBemerkung, "Bemerkung", "COMMENT"},
    {qfNotiz, "Notiz", "NOTES"},
    {qfOperator, "Operator", "OPERATOR"},
    {qfEigenesCall, "Eigenes Call", "STATION_CALLSIGN"},
    {qfEigenerLocator, "Eigener Locator", "MY_GRIDSQUARE"},
    {qfEntfernung, "Entfernung", "DISTANCE"},
    {qfContest, "Contest", "CONTEST_ID"},
    {qfNrGesendet, "Nr gesendet", "STX"},
    {qfNrEmpfangen, "Nr empfangen", "SRX"},
    {qfAusbreitung, "Ausbreitung", "PROP_MODE"},
    {qfSatellit, "Satellit", "SAT_NAME"},
    {qfSatMode, "Sat-Mode", "SAT_MODE"},
    {qfEqslGesendet, "eQSL gesendet", "EQSL_QSL_SENT"},
    {qfEqslEmpfangen, "eQSL empfangen", "EQSL_QSL_RCVD"},
    {qfLotwGesendet, "LoTW gesendet", "LOTW_QSL_SENT"},
    {qfLotwEmpfangen, "LoTW empfangen", "LOTW_QSL_RCVD"},
    {qfQslGesendetAm, "QSL gesendet am", "QSLSDATE"},
    {qfQslEmpfangenAm, "QSL empfangen am", "QSLRDATE"},
    {qfEmail, "E-Mail", "EMAIL"},
    // The DXCC field holds the entity's prefix; its ADIF number travels
    // under the tag of the same name, so this field has no tag of its own.
    {qfAdifNr, "ADIF-Nr", ""},
};

}  // namespace

std::span<const TQsoFieldName> QsoFields() { return kFields; }

const char* QsoFieldName(int number) {
  return number >= 1 && number <= kQsoFieldCount ? kFields[number - 1].Name : "";
}

const char* QsoFieldAdifName(int number) {
  return number >= 1 && number <= kQsoFieldCount ? kFields[number - 1].AdifName : "";
}

int QsoFieldNumber(std::string_view name) {
  const std::string key = BlankFreeUpper(name);
  if (key.empty()) return 0;
  for (const auto& f : kFields)
    if (BlankFreeUpper(f.Name) == key || BlankFreeUpper(f.AdifName) == key) return f.Number;
  return 0;
}
