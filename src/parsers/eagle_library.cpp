#include "parsers/eagle_library.hpp"

#include <libxml/SAX2.h>
#include <libxml/parser.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

#include "parsers/eagle_library_collector.hpp"
#include "parsers/xml_error_capture.hpp"

namespace tessan {

namespace {

// Never XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE: entities stay unexpanded (no
// expansion bombs, no external files) and libxml2's limits on depth and sizes stay in force.
// The text was checked to be UTF-8 when it was read, so an encoding declaration is ignored
// (XML_PARSE_IGNORE_ENC); naming "UTF-8" as the encoding instead would run the whole text
// through a converter.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR |
                              XML_PARSE_IGNORE_ENC | XML_PARSE_NOBLANKS | XML_PARSE_COMPACT;

struct ParserContextDeleter {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
using ParserContext = std::unique_ptr<xmlParserCtxt, ParserContextDeleter>;

// What is left of the document once parsed: the declarations of its document type.
struct DocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentDeleter>;

Error xml_failure(Error cause) {
  return std::move(cause).wrap("parsing EAGLE XML");
}

// libxml2's SAX2 callbacks receive the parser context, which carries the collector.
EagleLibraryCollector& collector_of(void* context) {
  return *static_cast<EagleLibraryCollector*>(static_cast<xmlParserCtxt*>(context)->_private);
}

void on_start(void* context, const xmlChar* local_name, const xmlChar* prefix, const xmlChar* uri,
              int, const xmlChar**, int attribute_count, int, const xmlChar** attributes) {
  auto* parser = static_cast<xmlParserCtxt*>(context);
  if (!collector_of(context).start(local_name, prefix, uri, parser->myDoc, attributes,
                                   attribute_count)) {
    xmlStopParser(parser);
  }
}

void on_end(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  collector_of(context).end();
}

// Hands the text to the parser piece by piece: the parser keeps only a window of it, where
// reading the whole of it from memory would have it copy the text first.
struct TextSource {
  std::string_view rest;
};

int read_text(void* context, char* buffer, int length) {
  auto& source = *static_cast<TextSource*>(context);
  const std::size_t count = std::min(source.rest.size(), static_cast<std::size_t>(length));
  std::memcpy(buffer, source.rest.data(), count);
  source.rest.remove_prefix(count);
  return static_cast<int>(count);
}

int close_text(void*) {
  return 0;
}

void ignore_text(void*, const xmlChar*, int) {}
void ignore_name(void*, const xmlChar*) {}
void ignore_instruction(void*, const xmlChar*, const xmlChar*) {}

// libxml2's own handlers, which keep the document type declaration and its entities in the
// context's document, with everything that would build the element tree turned off.
xmlSAXHandler stream_handler() {
  xmlSAXHandler handler{};
  xmlSAXVersion(&handler, 2);
  handler.startElementNs = on_start;
  handler.endElementNs = on_end;
  handler.characters = ignore_text;
  handler.ignorableWhitespace = ignore_text;
  handler.cdataBlock = ignore_text;
  handler.comment = ignore_name;
  handler.reference = ignore_name;
  handler.processingInstruction = ignore_instruction;
  return handler;
}

}  // namespace

Result<EagleLibrary> read_eagle_library(std::string_view text, const EagleReadLimits& limits) {
  if (text.size() > static_cast<std::size_t>(INT_MAX)) {
    return xml_failure(Error("document larger than the XML parser accepts (2 GiB)"));
  }
  XmlErrorCapture capture;
  const ParserContext context(xmlNewParserCtxt());
  if (!context) return xml_failure(Error("out of memory"));
  *context->sax = stream_handler();
  EagleLibraryCollector collector(limits);
  context->_private = &collector;
  TextSource source{text};
  const Document document(xmlCtxtReadIO(context.get(), read_text, close_text, &source, nullptr,
                                        nullptr, kParseOptions));
  if (collector.failure()) return *collector.failure();
  if (context->wellFormed == 0) return xml_failure(capture.first_error());
  return collector.take();
}

}  // namespace tessan
