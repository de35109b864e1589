# Installs the Debian packages the build and the tests need (sourced by the
# other scripts). Nothing is fetched from anywhere but the Debian archive.
# libgmock-dev: nothing uses gmock, but Debian's GTest CMake package refuses
# to load without its library.
# lld: the linker of the native builds (CMakeLists.txt).
# g++-mingw-w64-x86-64, wine64, zip: the Windows build of the core and dspctl
# (scripts/windows), whose tests run under Wine.
DSP_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libudev-dev
  fonts-wqy-microhei lrzsz nlohmann-json3-dev libcli11-dev
  scdoc dpkg-dev file desktop-file-utils appstream man-db
  clang libclang-rt-14-dev lld
  libcpp-httplib-dev chromium chromium-driver
  socat ser2net
  g++-mingw-w64-x86-64 wine64 zip
)

dsp_install_deps() {
  local missing=()
  for pkg in "${DSP_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}" >&2
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
