#!/usr/bin/env bash
# Builds curl's command-line tool for Windows (x86_64) from the same curl
# source and with the same feature set as the installer's libcurl, so the
# benchmark compares like with like.   build-curl-exe.sh <output dir>
set -euo pipefail
out="${1:?output dir}"
src="$(ls -d "$HOME"/.cache/melodrix-deps/src/curl-*/ | head -1)"
triplet=x86_64-w64-mingw32
cppflags="-DCURL_STATICLIB"
for d in DICT FTP GOPHER IMAP LDAP LDAPS MQTT POP3 RTSP SMB SMTP TELNET TFTP ALTSVC COOKIES DOH \
         HSTS MIME NETRC NTLM PROGRESS_METER SOCKETPAIR HTTP_AUTH DIGEST_AUTH BASIC_AUTH BEARER_AUTH \
         KERBEROS_AUTH NEGOTIATE_AUTH AWS PARSEDATE SHUFFLE_DNS; do
  cppflags+=" -DCURL_DISABLE_$d"
done
[ -x "$out/curl.exe" ] && { echo "$out/curl.exe"; exit 0; }
work="$out/src"
rm -rf "$work" && mkdir -p "$work" && cp -a "$src/." "$work/"
mkdir -p "$work/lib/$triplet" "$work/src/$triplet"
(cd "$work/lib" && CPPFLAGS="$cppflags" CFLAGS="-O2" make -f Makefile.mk -j2 CC="$triplet-gcc-posix" \
   AR="$triplet-ar" CFG=-schannel-sspi-ipv6 libcurl.a) >"$out/build.log" 2>&1
(cd "$work/src" && CPPFLAGS="$cppflags" make -f Makefile.mk -j2 CC="$triplet-gcc-posix" AR="$triplet-ar" \
   RC="$triplet-windres" CFG=-schannel-sspi-ipv6 CURL_LDFLAGS_BIN=-static curl.exe) >>"$out/build.log" 2>&1
cp "$work/src/curl.exe" "$out/curl.exe"
rm -rf "$work"
echo "$out/curl.exe"
