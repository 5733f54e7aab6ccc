// Parsing an EAGLE library's text into a libxml2 document tree, strictly and without side
// effects: nothing outside the text is read, no entity is substituted, and no message of the
// parser reaches the console.
#pragma once

#include <memory>
#include <string_view>

#include <libxml/tree.h>

#include "tessan_error.hpp"

namespace tessan {

struct XmlDocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using XmlDocument = std::unique_ptr<xmlDoc, XmlDocumentDeleter>;

// The tree of a well-formed document (a document type declaration is accepted). Otherwise the
// parser's first fatal error, as "line L, column C: <message>".
Result<XmlDocument> parse_xml_document(std::string_view text);

}  // namespace tessan
