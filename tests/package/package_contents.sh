#!/usr/bin/env bash
# What each package holds and needs: the command-line package runs without
# Qt, the desktop package brings its skin, icons, desktop entry, AppStream
# data and manual page, and neither ships the image drawings or the toolkit
# demo's skin files.
#   package_contents.sh OUT        (as make_packages.sh left it)
set -euo pipefail
source "$(dirname "$0")/check.sh"
out=$1
root=$out/root
tools_deb=$(echo "$out"/dspdesk-tools_*.deb)
desk_deb=$(echo "$out"/dspdesk_*.deb)

depends_on() { dpkg-deb -f "$1" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -cx "$2" || true; }
expect "dspdesk-tools depends on no Qt library" "$(dpkg-deb -f "$tools_deb" Depends | grep -ci qt || true)" 0
expect "dspdesk-tools depends on the C++ library" "$(depends_on "$tools_deb" libstdc++6)" 1
expect "dspdesk-tools depends on the HTTP library of dspserve" "$(depends_on "$tools_deb" libcpp-httplib0.11)" 1
for package in libqt6widgets6 libqt6gui6 libqt6core6 libudev1 fonts-wqy-microhei qt6-qpa-plugins; do
  expect "dspdesk depends on $package" "$(depends_on "$desk_deb" "$package")" 1
done

tools_files=$(dpkg-deb -c "$tools_deb" | awk '{print $6}')
desk_files=$(dpkg-deb -c "$desk_deb" | awk '{print $6}')
for file in usr/bin/dspctl usr/bin/dspsim usr/share/man/man1/dspctl.1.gz usr/share/man/man1/dspsim.1.gz \
            usr/share/bash-completion/completions/dspctl usr/bin/dspserve usr/share/man/man1/dspserve.1.gz \
            usr/lib/systemd/system/dspserve.service usr/lib/sysusers.d/dspserve.conf; do
  expect "dspdesk-tools holds $file" "$(grep -cx "./$file" <<<"$tools_files")" 1
done
for file in usr/bin/dspdesk usr/share/man/man1/dspdesk.1.gz usr/share/applications/org.dspdesk.dspdesk.desktop \
            usr/share/metainfo/org.dspdesk.dspdesk.metainfo.xml usr/share/icons/hicolor/scalable/apps/dspdesk.svg \
            usr/share/dspdesk/skin/view/MainWindow.xml usr/share/dspdesk/skin/image/home_hot.png \
            usr/share/dspdesk/skin/image/dspdesk.png usr/share/dspdesk/skin/demo.scenario; do
  expect "dspdesk holds $file" "$(grep -cx "./$file" <<<"$desk_files")" 1
done
for size in 16 24 32 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/dspdesk.png
  expect "the ${size}px icon is a ${size} x ${size} PNG" "$(file -b "$icon" | cut -d, -f1,2)" "PNG image data, $size x $size"
done
expect "no drawings, demo files or icon sizes in the skin" \
  "$(grep -E 'image-src|Demo|\.svg$|skin/image/dspdesk_' <<<"$desk_files" | grep -v hicolor || true)" ""
finish
