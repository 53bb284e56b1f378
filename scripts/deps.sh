# Shared by scripts/run and scripts/test: makes sure what the build needs is
# installed, with apt-get when running as root. Exits with code 2 and a
# message saying what to install when it cannot.

vellmark_missing=()

vellmark_need() {  # vellmark_need PACKAGE TEST-COMMAND...
  local package=$1
  shift
  if ! "$@" >/dev/null 2>&1; then
    vellmark_missing+=("$package")
  fi
}

vellmark_install_missing() {
  [ ${#vellmark_missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null 2>&1; then
    echo "vellmark: missing packages: ${vellmark_missing[*]}" >&2
    echo "vellmark: install them (for example: sudo apt-get install ${vellmark_missing[*]}) and run again." >&2
    exit 2
  fi
  echo "vellmark: installing ${vellmark_missing[*]}" >&2
  # An index that fails to download (a mirror mid-sync) fails the update but
  # leaves the others usable: the install below is what decides.
  apt-get update -qq >&2 || echo "vellmark: apt-get update reported errors; trying the install all the same" >&2
  if ! vellmark_apt_install >&2; then
    # With one architecture's security index missing, the other
    # architecture's newer security packages cannot be matched: the main
    # suite, pinned above security for this one install, has both.
    local release
    release=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
    echo "vellmark: the install failed; trying again with the main suite ${release:-?} pinned above security" >&2
    if [ -z "$release" ] || ! vellmark_apt_install -t "$release" >&2; then
      echo "vellmark: could not install ${vellmark_missing[*]}" >&2
      exit 2
    fi
  fi
  vellmark_missing=()
}

vellmark_apt_install() {  # vellmark_apt_install [APT-OPTIONS...]
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" "${vellmark_missing[@]}"
}

# The Wine test's display, and the keys it types at it as a person would.
vellmark_need_wine_display() {
  vellmark_need xvfb command -v Xvfb
  vellmark_need xdotool command -v xdotool
}

vellmark_need_linux_build() {
  vellmark_need cmake command -v cmake
  vellmark_need g++ command -v g++
  vellmark_need make command -v make
}

vellmark_need_tests() {
  vellmark_need libgtest-dev test -e /usr/include/gtest/gtest.h
  vellmark_need libgtest-dev test -e /usr/lib/x86_64-linux-gnu/libgtest.a -o -e /usr/lib/libgtest.a
}

vellmark_need_windows_build() {
  vellmark_need g++-mingw-w64-x86-64-posix command -v x86_64-w64-mingw32-g++-posix
  vellmark_need binutils-mingw-w64-x86-64 command -v x86_64-w64-mingw32-windres
}

# What the checks of the Windows programs use beyond Wine: Wine's own fonts
# (metrics of the Windows fonts), the PE reader for the built program's
# resources, the imaging library for the screenshots' contact sheet, and
# FreeType with the CJK fonts that the translations are measured in and
# that the Wine test's prefix shows Japanese and Chinese in.
vellmark_need_windows_checks() {
  vellmark_need fonts-wine test -e /usr/share/wine/fonts/tahoma.ttf
  vellmark_need python3-pefile /usr/bin/python3 -c "import pefile"
  vellmark_need python3-pil /usr/bin/python3 -c "import PIL"
  vellmark_need libfreetype6 /usr/bin/python3 -c "import ctypes; ctypes.CDLL('libfreetype.so.6')"
  vellmark_need fonts-wqy-microhei test -e /usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  vellmark_need fonts-noto-cjk test -e /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc -a -e /usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc
}

vellmark_need_windows_x86_build() {
  vellmark_need g++-mingw-w64-i686-posix command -v i686-w64-mingw32-g++-posix
  vellmark_need binutils-mingw-w64-i686 command -v i686-w64-mingw32-windres
}

vellmark_need_package() {
  vellmark_need pandoc command -v pandoc
  vellmark_need python3 command -v python3
  vellmark_need git command -v git
}

# The installers, built with makensis.
vellmark_need_installer() {
  vellmark_need nsis command -v makensis
}

# What the installers' tests read them with: 7z lists an installer's files,
# and the system's locale sources give Wine the German pages.
vellmark_need_installer_checks() {
  vellmark_need p7zip-full command -v 7z
  vellmark_need locales test -e /usr/share/i18n/locales/de_DE
}

# Authenticode signing of the release's programs, and the throwaway
# certificates the test signs with.
vellmark_need_signing() {
  vellmark_need osslsigncode command -v osslsigncode
  vellmark_need openssl command -v openssl
}

# 32-bit Wine, beside the 64-bit one, runs the 32-bit program in the same
# prefix. Its package is of the i386 architecture, which dpkg must know
# before apt-get can find it.
vellmark_need_wine32() {
  [ -e /usr/lib/wine/wine ] && return 0
  vellmark_missing+=("wine32:i386")
  if [ "$(id -u)" -eq 0 ] && command -v dpkg >/dev/null 2>&1 &&
      ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
}
