# Under the sanitizers most of a Qt file's compile time goes into the Qt and
# standard headers; dsp_precompile_qt(target) compiles them once for the
# target instead. Only without a compiler launcher: the compiler cache of the
# development machines (dev-env.sh) already spares the headers, and cannot
# cache a file built on a precompiled header.
function(dsp_precompile_qt target)
  if(NOT CMAKE_CXX_COMPILER_LAUNCHER)
    target_precompile_headers(${target} PRIVATE
      <QApplication> <QPainter> <QWidget>
      <algorithm> <functional> <map> <memory> <optional> <string> <vector>)
  endif()
endfunction()
