#include "platform/LibxmlGuard.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

namespace TLPaymentPlugIns {

namespace {

void OnStructured(void* context, xmlErrorPtr error) {
  // The parser keeps the column in int2.
  if (error != nullptr) static_cast<LibxmlGuard*>(context)->record(error->message, error->line, error->int2);
}

void OnGeneric(void* context, const char* format, ...) {
  // Generic messages arrive in pieces through a format; the first piece is
  // enough to tell what went wrong.
  static_cast<LibxmlGuard*>(context)->record(format);
}

xmlParserInputPtr RefuseEntity(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

}  // namespace

LibxmlGuard::LibxmlGuard()
    : mPreviousStructured(reinterpret_cast<void*>(xmlStructuredError)),
      mPreviousStructuredContext(xmlStructuredErrorContext),
      mPreviousGeneric(reinterpret_cast<void*>(xmlGenericError)),
      mPreviousGenericContext(xmlGenericErrorContext),
      mPreviousLoader(reinterpret_cast<void*>(xmlGetExternalEntityLoader())) {
  xmlSetStructuredErrorFunc(this, OnStructured);
  xmlSetGenericErrorFunc(this, OnGeneric);
  xmlSetExternalEntityLoader(RefuseEntity);
}

LibxmlGuard::~LibxmlGuard() {
  xmlSetExternalEntityLoader(reinterpret_cast<xmlExternalEntityLoader>(mPreviousLoader));
  xmlSetGenericErrorFunc(mPreviousGenericContext, reinterpret_cast<xmlGenericErrorFunc>(mPreviousGeneric));
  xmlSetStructuredErrorFunc(mPreviousStructuredContext, reinterpret_cast<xmlStructuredErrorFunc>(mPreviousStructured));
}

void LibxmlGuard::record(const char* text, long line, long column) {
  if (mMessage.empty() && text != nullptr) {
    mMessage = text;
    mLine = line;
    mColumn = column;
    // One line: a message that goes on below ("Bytes: 0xFC ...") is joined.
    for (char& c : mMessage) {
      if (c == '\n') c = ' ';
    }
    while (!mMessage.empty() && (mMessage.back() == '\n' || mMessage.back() == ' ')) mMessage.pop_back();
  }
}

}  // namespace TLPaymentPlugIns
