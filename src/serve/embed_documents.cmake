# Writes OUTPUT, a C++ file defining each document as a raw string, from
# the files given as NAME=PATH pairs in DOCUMENTS.
set(code "// Generated from the files beside it: edit those.\n#include \"serve/embedded_documents.h\"\n\nnamespace dsp {\n")
foreach(pair IN LISTS DOCUMENTS)
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 name)
  list(GET parts 1 path)
  file(READ "${path}" content)
  string(APPEND code "\nconst char* const ${name} = R\"dsp_document(${content})dsp_document\";\n")
endforeach()
string(APPEND code "\n}  // namespace dsp\n")
file(WRITE "${OUTPUT}" "${code}")
