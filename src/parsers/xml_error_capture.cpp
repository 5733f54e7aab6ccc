#include "parsers/xml_error_capture.hpp"

#include <libxml/globals.h>

namespace tessan {

namespace {

std::string describe(const xmlError& error) {
  std::string message = error.message != nullptr ? error.message : "unknown XML error";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
    message.pop_back();
  }
  return "line " + std::to_string(error.line) + ", column " + std::to_string(error.int2) + ": " +
         message;
}

}  // namespace

XmlErrorCapture::XmlErrorCapture()
    : saved_structured_(xmlStructuredError),
      saved_structured_context_(xmlStructuredErrorContext),
      saved_generic_(xmlGenericError),
      saved_generic_context_(xmlGenericErrorContext) {
  xmlSetStructuredErrorFunc(this, &XmlErrorCapture::on_error);
  xmlSetGenericErrorFunc(this, &XmlErrorCapture::on_generic_message);
}

XmlErrorCapture::~XmlErrorCapture() {
  xmlSetStructuredErrorFunc(saved_structured_context_, saved_structured_);
  xmlSetGenericErrorFunc(saved_generic_context_, saved_generic_);
}

Error XmlErrorCapture::first_error() const {
  if (first_fatal_) return Error(*first_fatal_);
  if (first_any_) return Error(*first_any_);
  return Error("the document is not well-formed");
}

void XmlErrorCapture::on_error(void* self, xmlErrorPtr error) {
  if (self == nullptr || error == nullptr) return;
  static_cast<XmlErrorCapture*>(self)->keep(*error);
}

void XmlErrorCapture::on_generic_message(void*, const char*, ...) {}

void XmlErrorCapture::keep(const xmlError& error) {
  if (!first_any_) first_any_ = describe(error);
  if (!first_fatal_ && error.level == XML_ERR_FATAL) first_fatal_ = describe(error);
}

}  // namespace tessan
