#include "parsers/eagle_xml_document.hpp"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <optional>
#include <string>

namespace tessan {

namespace {

// Never XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE: entities stay unexpanded (no
// expansion bombs, no external files) and libxml2's limits on depth and sizes stay in force.
// The text was checked to be UTF-8 when it was read, so an encoding declaration is ignored
// (XML_PARSE_IGNORE_ENC); naming "UTF-8" as the encoding instead would run the whole text
// through a converter. Blank text nodes are dropped and short texts kept inside their nodes,
// which spares allocations: the reader looks at elements and attributes only.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR |
                              XML_PARSE_IGNORE_ENC | XML_PARSE_NOBLANKS | XML_PARSE_COMPACT;

struct ParserContextDeleter {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

std::string describe(const xmlError& error) {
  std::string message = error.message != nullptr ? error.message : "unknown XML error";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
    message.pop_back();
  }
  return "line " + std::to_string(error.line) + ", column " + std::to_string(error.int2) + ": " +
         message;
}

// Routes every message of libxml2 to this object while it lives, keeping the first fatal
// error and the first error of any level; the previous handlers come back afterwards.
class XmlErrorCapture {
 public:
  XmlErrorCapture()
      : saved_structured_(xmlStructuredError),
        saved_structured_context_(xmlStructuredErrorContext),
        saved_generic_(xmlGenericError),
        saved_generic_context_(xmlGenericErrorContext) {
    xmlSetStructuredErrorFunc(this, &XmlErrorCapture::on_error);
    xmlSetGenericErrorFunc(this, &XmlErrorCapture::on_generic_message);
  }
  ~XmlErrorCapture() {
    xmlSetStructuredErrorFunc(saved_structured_context_, saved_structured_);
    xmlSetGenericErrorFunc(saved_generic_context_, saved_generic_);
  }
  XmlErrorCapture(const XmlErrorCapture&) = delete;
  XmlErrorCapture& operator=(const XmlErrorCapture&) = delete;

  Error first_error() const {
    if (first_fatal_) return Error(*first_fatal_);
    if (first_any_) return Error(*first_any_);
    return Error("the document is not well-formed");
  }

 private:
  static void on_error(void* self, xmlErrorPtr error) {
    if (self == nullptr || error == nullptr) return;
    static_cast<XmlErrorCapture*>(self)->keep(*error);
  }
  static void on_generic_message(void*, const char*, ...) {}

  void keep(const xmlError& error) {
    if (!first_any_) first_any_ = describe(error);
    if (!first_fatal_ && error.level == XML_ERR_FATAL) first_fatal_ = describe(error);
  }

  xmlStructuredErrorFunc saved_structured_;
  void* saved_structured_context_;
  xmlGenericErrorFunc saved_generic_;
  void* saved_generic_context_;
  std::optional<std::string> first_fatal_;
  std::optional<std::string> first_any_;
};

}  // namespace

Result<XmlDocument> parse_xml_document(std::string_view text) {
  if (text.size() > static_cast<std::size_t>(INT_MAX)) {
    return Error("document larger than the XML parser accepts (2 GiB)");
  }
  XmlErrorCapture capture;
  const std::unique_ptr<xmlParserCtxt, ParserContextDeleter> context(xmlNewParserCtxt());
  if (!context) return Error("out of memory");
  XmlDocument document(xmlCtxtReadMemory(context.get(), text.data(), static_cast<int>(text.size()),
                                         nullptr, nullptr, kParseOptions));
  if (!document || context->wellFormed == 0) return capture.first_error();
  return document;
}

}  // namespace tessan
