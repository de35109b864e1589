#pragma once

// The documents the daemon serves as they are, built into the program so
// that an installed daemon needs no files beside it.

namespace dsp {

// The OpenAPI description of every route.
extern const char* const kOpenApiDocument;
// The web remote: one page with its styles and script inline.
extern const char* const kWebRemotePage;

}  // namespace dsp
