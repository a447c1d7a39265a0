#include "ui/Bildressourcen.h"

#include "base/kxstrings.h"

#include <png.h>

#include <QFile>
#include <cstring>

TFormBildressourcen* FormBildressourcen = nullptr;

namespace {
std::string Lower(std::string_view s) { return ToStrings.LowerCase(s); }
}  // namespace

QImage DecodePng(const void* data, std::size_t size) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return QImage();
  // BGRA bytes are QImage's ARGB32 words on a little-endian machine.
  image.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  QImage out(int(image.width), int(image.height), QImage::Format_ARGB32);
  if (out.isNull()) {
    png_image_free(&image);
    return QImage();
  }
  if (!png_image_finish_read(&image, nullptr, out.bits(), out.bytesPerLine(), nullptr)) {
    png_image_free(&image);
    return QImage();
  }
  return out;
}

QImage LoadProgramImage(std::string_view name) {
  if (name.empty()) return QImage();
  QFile file(QStringLiteral(":/images/") + QString::fromLatin1(Lower(name).c_str()) +
             QStringLiteral(".png"));
  if (!file.open(QIODevice::ReadOnly)) return QImage();
  const QByteArray bytes = file.readAll();
  return DecodePng(bytes.constData(), std::size_t(bytes.size()));
}

const std::vector<std::string>& TFormBildressourcen::ImageNames() {
  // clang-format off
  static const std::vector<std::string> names = {
  "imhhauptdxclusterw40", "imghauptkalenderw40", "imghauptkartenw40", "imghauptlexikonw40",
  "imghauptlogcheckw40", "imghauptqslkartenw40", "imghauptqsoqslw40", "imghauptsatw40",
  "imghauptstatistikw40", "imghauptlogcheck40", "imhhauptdxcluster40", "imghauptkalender40",
  "imghauptlexikon40", "imghauptqslkarten40", "imghauptsat40", "imghauptqsoqsl40",
  "imghauptstatistik40", "imghauptsatwgross", "Image17", "imghauptdiplomwgross",
  "imghauptabgleichwgross", "Image20", "Image21", "imghauptlistewgross",
  "imghauptlogcheckwgross", "imghauptupdatewgross", "Image25", "Image26", "imghauptstatwgross",
  "imghauptdxclusterwgross", "Image6", "imghauptkarten40", "Image8", "Image18", "Image7",
  "imghauptkalenderw36", "imghauptlexikonw36", "imghauptqslkartenw36", "imghauptsatw36",
  "imhhauptdxclusterw36", "imghauptkartenw36", "imghauptstatistikw36", "imghauptlogcheckw36",
  "imghauptqsoqslw36", "imghauptqsoqsl36", "imghauptlogcheck36", "imghauptstatistik36",
  "imghauptkarten36", "imhhauptdxcluster36", "imghauptsat36", "imghauptqslkarten36",
  "imghauptlexikon36", "imghauptkalender36", "imghauptqsoqslg36", "imghauptlogcheckg36",
  "imghauptstatistikg36", "imghauptkarteng36", "imhhauptdxclusterg36", "imghauptsatg36",
  "imghauptqslkarteng36", "imghauptlexikong36", "imghauptkalenderg36", "imghauptqsoqslg40",
  "imghauptlogcheckg40", "imghauptstatistikg40", "imghauptkarteng40", "imhhauptdxclusterg40",
  "imghauptsatg40", "imghauptqslkarteng40", "imghauptlexikong40", "imghauptkalenderg40",
  "Image19", "imghauptemailw40", "imghauptemailw36", "imghauptetikettenw40",
  "imghauptetikettenw36", "imghauptdruckenwgross", "imgverlauf", "imgbtnabbrechen32",
  "imgbtnaendern32", "imgbtndrucken32", "imgbtnexport32", "imgbtnhilfe32", "imgbtnimport32",
  "imgbtnkalender32", "imgbtnkopie32", "imgbtnlex32", "imgbtnneu32", "imgbtnnotiz32",
  "imgbtnok32", "imgbtnqsl32", "imgbtnsat32", "imgbtnspalten32", "imgbtnweiter32",
  "imgbtnzurueck32", "imgbtnweiterefunktionen32", "imgbtndiagramm32", "imgbtnliste32",
  "imgbtnstattabelle32", "imgbtnauswahlblau32", "imgbtndateisuchen32", "imgbtnordnersuchen32",
  "imgbtnstart32", "imgbtnstop32", "imgbtnsuche32", "imgbtnreset_32", "imgbtnauswahlrotalle32",
  "imgbtnexportemail32", "imgbtnclose32", "imgbtnspeichern32", "imgbtnoptionen32",
  "imgbtnpapierkorb32", "imgbtnlisteneu32", "imgbtnglobus32", "imgbtnuhr32",
  "imgbtnuebernahme32", "imgbtnf832", "imgbtnf1132", "imgbtnabbrechen24", "imgbtnaendern24",
  "imgbtndiagramm24", "imgbtndrucken24", "imgbtnexport24", "imgbtnimport24", "imgbtnhilfe24",
  "imgbtnneu24", "imgbtnok24", "imgbtnweiter24", "imgbtnzurueck24", "imgbtnweiterefunktionen24",
  "imgbtnauswahlrotalle24", "imgbtnstart24", "imgbtnstop24", "imgbtnsuche24",
  "imgbtnexportemail24", "imgbtnclose24", "imgbtnuebernahme24", "imgbtnglobus24",
  "imgbtnspeichern24", "imgbtnpapierkorb24", "imgbtnoptionen24", "imgbtnnotiz24",
  "imgbtnordnersuchen24", "imgbtndateisuchen24", "imgleuchtpunktgrau", "imgleuchtpunktgruen",
  "imgleuchtpunkthgruen", "imgleuchtpunktrot", "imgbtnstrichgrau", "imgbtnstrichgruen",
  "imgbtnclose16", "imgbtnclose12", "imgbtnuhr24", "imgbtnsat24", "imgbtnF824", "imgbtnqsl24",
  "imgbtnstattabelle24", "imgbtnF1124", "imgbtnreset_24", "imgbtnlisteneu24", "imgbtn15x15x1",
  "imgbtn15x15x21", "imgbtn15x15x8", "imgbtnClose15", "imgbtn15x15x4", "imgbtn15x15x5",
  "imgbtn15x15x11", "imgbtn15x15x0", "imgbtn15x15x12", "imgbtn15x15x7", "imgbtn15x15x10",
  "imgbtn15x15x17", "imgbtn15x15x35", "imgbtn15x15x26", "imgbtn15x15x18", "imgbtn15x15x2",
  "imgbtn15x15x13", "imgbtn15x15x20", "imgbtn15x15x19", "img15x15x25", "img15x15x14",
  "img15x15x6", "imgbtn15x15x9", "imgbtnweiter15", "imgbtnzurueck15", "Image3", "imgbtnreset_15",
  "imgbtn15x15x23", "imgbtn18x16x5", "imgbtn18x16x7", "imgbtnweiterefunktionen15",
  "imgbtn18x16x1", "imgbtn18x16x2", "imgbtn18x16x6", "imgbtn18x16x8", "imgbtn18x16x0", "Image12",
  "Image13", "imgbtnrundeabmelden32", "imgbtnrundeaendern32", "imgbtnrundealleabmelden32",
  "imgbtnrundeneu32", "imgbtnmarkieren32", "imgbtnhtml32", "imgbtnhtml24", "imgbtnaward32",
  "imgbtnaward24", "imgbtnbackup32", "imgbtnrestore32", "imgbtnautorestore32",
  "imgbtnoptionen15", "imgbtnabbrechen15", "imgbtnaendern15", "imgbtnpapierkorb15",
  "imgbtnkalender15", "imgbtnneu15", "imgbtnhilfe15", "imgbtnspeichern15", "imgbtnuhr15",
  "imgbtnfavorit15", "imgbtnUebernahme15", "imgbtndocoeffnen15", "imgbtninternet15",
  "imgbtninternet14", "imgbtndocoeffnen14", "imgbtndoc14", "Image4", "imgbtndatenabgleich32",
  "imgbtndatenabgleich24", "Image9", "imgbtnhakenblau1_32", "imgbtnhakenblau1_24",
  "imgbtnhakengruen1_24", "imgbtnhakenrot1_24", "imgbtnhakenrot3_24", "imgbtnhakenblau3_24",
  "imgbtnhakenrot1_32", "imgbtnhakengruen1_32", "imgbtnhakenblau3_32", "imgbtnhakenrot3_32",
  "imgbtnhakengruen3_32", "imgbtnhakengruen3_24", "imgbtnaktivieren32", "imgbtnaktivieren24",
  "imgbtnhome32", "imgbtnhome24", "imgbtndruckvorschau32", "imgbtndruckvorschau24",
  "imgbtnarchiv32", "imgbtnarchiv24", "imgbtninfo32", "imgbtninfo24", "imgbtnhome18",
  "imgbtnhome16", "imgbtnzoom15", "imgbtnkartewelt32", "imgbtnkarteeu32", "imgbtnhistory32",
  "imgbtnstaterweitert32", "imgbtnstrichrot", "imgbtnreseto32", "imgbtnreseto24",
  "imgbtnreseto15", "imgbtndnlog32", "imgbtndnlog24", "imgbtn15x15x45", "imgbtn15x15x43",
  "imgbtn15x15x44", "imgbtnhinzufuegen", "imgbtnhakenkeiner_32", "imgbtnkopie24",
  "imgbtnkopie15", "imgbtnanfasserl32", "imgbtnanfassero32", "imgbtnanfasserr32",
  "imgbtnanfasseru32", "imgbtnpfeilschwarz15", "Image5", "Image14", "Image15", "Image16",  };
  // clang-format on
  return names;
}

TFormBildressourcen::TFormBildressourcen() {
  for (const std::string& name : ImageNames()) images_[Lower(name)] = LoadProgramImage(name);
  menuGlyphs_.resize(kMenuGlyphCount);
  for (int i = 0; i < kMenuGlyphCount; ++i)
    menuGlyphs_[i] = LoadProgramImage("menuek" + std::to_string(i));
}

QImage TFormBildressourcen::Image(std::string_view name) const {
  const auto it = images_.find(Lower(name));
  return it == images_.end() ? QImage() : it->second;
}

bool TFormBildressourcen::HasName(std::string_view name) const {
  return images_.count(Lower(name)) != 0;
}

QImage TFormBildressourcen::MenuGlyph(int index) const {
  if (index < 0 || index >= kMenuGlyphCount) return QImage();
  return menuGlyphs_[index];
}
