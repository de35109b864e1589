#include "platform/skin_reader.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <optional>
#include <system_error>

#include "platform/qt_text.h"
#include "platform/skin_error.h"
#include "platform/skin_repeat.h"

namespace dsp {
namespace {

constexpr int kMaxIncludeDepth = 16;

SkinElement ReadFile(const std::filesystem::path& skin_dir, std::string_view relative_path, int depth);

int Line(const QXmlStreamReader& reader) { return static_cast<int>(reader.lineNumber()); }

SkinElement StartElement(const QXmlStreamReader& reader, const std::string& file) {
  SkinElement element;
  element.tag = ToStd(reader.name().toString());
  element.file = file;
  element.line = Line(reader);
  for (const QXmlStreamAttribute& attribute : reader.attributes()) {
    element.attributes.emplace_back(ToStd(attribute.name().toString()), ToStd(attribute.value().toString()));
  }
  return element;
}

SkinElement ResolveInclude(const SkinElement& include, const std::filesystem::path& skin_dir, int depth) {
  const std::string* source = include.Attribute("source");
  if (source == nullptr || include.attributes.size() != 1) {
    throw SkinError(include.file, include.line, "<Include> takes exactly one attribute, source=\"...\"");
  }
  if (!include.children.empty()) {
    throw SkinError(include.file, include.line, "<Include> has no child elements");
  }
  if (depth >= kMaxIncludeDepth) {
    throw SkinError(include.file, include.line, "includes nest too deeply (does a file include itself?)");
  }
  const std::filesystem::path path = skin_dir / std::filesystem::path(*source);
  // Without the error code a name the system refuses (too long) would throw
  // past the skin's own error.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw SkinError(include.file, include.line, "cannot open the included file " + path.string());
  }
  return ReadFile(skin_dir, *source, depth + 1);
}

SkinElement Parse(QXmlStreamReader& reader, const std::string& file,
                  const std::filesystem::path& skin_dir, int depth) {
  std::vector<SkinElement> open;
  std::optional<SkinElement> root;
  int token_start_line = 1;
  while (!reader.atEnd()) {
    token_start_line = Line(reader);
    reader.readNext();
    if (reader.isStartElement()) {
      if (root) throw SkinError(file, Line(reader), "a skin file has one root element");
      open.push_back(StartElement(reader, file));
    } else if (reader.isEndElement()) {
      SkinElement done = std::move(open.back());
      open.pop_back();
      if (done.tag == "Include") done = ResolveInclude(done, skin_dir, depth);
      if (open.empty()) {
        root = std::move(done);
      } else {
        open.back().children.push_back(std::move(done));
      }
    } else if (reader.isCharacters() && !reader.isWhitespace()) {
      const QStringView text = reader.text();
      const qsizetype first = text.indexOf(QRegularExpression("\\S"));
      const int line = token_start_line + static_cast<int>(text.first(first).count(u'\n'));
      throw SkinError(file, line, "text between tags is not used; put it in a text=\"...\" attribute");
    }
  }
  if (reader.hasError()) throw SkinError(file, Line(reader), ToStd(reader.errorString()));
  if (!root) throw SkinError(file, Line(reader), "the file holds no element");
  return std::move(*root);
}

SkinElement ReadFile(const std::filesystem::path& skin_dir, std::string_view relative_path, int depth) {
  const std::filesystem::path path = skin_dir / std::filesystem::path(std::string(relative_path));
  const std::string file = path.string();
  QFile input(ToQt(file));
  if (!input.open(QIODevice::ReadOnly)) {
    throw SkinError(file, 0, "cannot open the skin file (" + ToStd(input.errorString()) +
                                 "); check the skin folder or set DSPDESK_SKIN_DIR");
  }
  QXmlStreamReader reader(&input);
  return Parse(reader, file, skin_dir, depth);
}

}  // namespace

SkinElement ReadSkinFile(const std::filesystem::path& skin_dir, std::string_view relative_path) {
  SkinElement root = ReadFile(skin_dir, relative_path, 0);
  ExpandRepeats(root);
  return root;
}

}  // namespace dsp
