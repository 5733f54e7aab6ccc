// While it lives, every message of libxml2 goes to this object rather than to the console;
// it keeps the first fatal error and the first error of any level, each as
// "line L, column C: <message>".
#pragma once

#include <libxml/xmlerror.h>

#include <optional>
#include <string>

#include "tessan_error.hpp"

namespace tessan {

class XmlErrorCapture {
 public:
  XmlErrorCapture();
  ~XmlErrorCapture();
  XmlErrorCapture(const XmlErrorCapture&) = delete;
  XmlErrorCapture& operator=(const XmlErrorCapture&) = delete;

  bool saw_fatal_error() const { return first_fatal_.has_value(); }
  // The first fatal error, else the first error, else a general statement.
  Error first_error() const;

 private:
  static void on_error(void* self, xmlErrorPtr error);
  static void on_generic_message(void*, const char*, ...);
  void keep(const xmlError& error);

  xmlStructuredErrorFunc saved_structured_;
  void* saved_structured_context_;
  xmlGenericErrorFunc saved_generic_;
  void* saved_generic_context_;
  std::optional<std::string> first_fatal_;
  std::optional<std::string> first_any_;
};

}  // namespace tessan
