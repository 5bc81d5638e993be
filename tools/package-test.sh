#!/bin/sh
# Builds the Debian package, installs it on this machine with apt-get, checks
# what it installed, removes it again and checks that nothing of it is left.
# Runs as root without questions (the CI machine); it installs and removes the
# package qorva system-wide.
set -eu
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
  echo "tools/package-test.sh: run as root: it installs and removes the package" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "tools/package-test.sh: $*" >&2
  exit 1
}

# A file dpkg is configured not to unpack (path-exclude in dpkg.cfg.d, as
# minimal container images drop manuals and documentation) is not missing.
excluded() {
  for rule in $(sed -n 's/^path-\(exclude\|include\)[= ]*/\1:/p' /etc/dpkg/dpkg.cfg.d/* 2>/dev/null); do
    case "$1" in
    ${rule#*:}) [ "${rule%%:*}" = exclude ] && verdict=excluded || verdict=included ;;
    esac
  done
  [ "${verdict:-}" = excluded ]
  status=$?
  verdict=
  return $status
}

tools/package.sh
deb=$(ls build-package/qorva_*.deb | head -n 1)
version=$(dpkg-deb -f "$deb" Version)
# Qt's own buttons follow the interface only with Qt's catalogues installed.
dpkg-deb -f "$deb" Depends | grep -q qt6-translations-l10n || fail "the package does not depend on Qt's catalogues"

# A package left by an earlier run would hide files this one fails to install.
if dpkg-query -W -f='${Status}' qorva 2>/dev/null | grep -q "installed"; then
  apt-get remove --purge -y qorva
fi
apt-get install -y "./$deb"
files=$(mktemp)
trap 'rm -f "$files" /tmp/x.png' EXIT
dpkg -L qorva >"$files"
while read -r path; do
  [ -e "$path" ] || excluded "$path" || fail "$path is listed by dpkg -L but not installed"
done <"$files"

# The programs and their versions; --version needs no display.
[ "$(qorva-cli --version)" = "qorva-cli $version" ] || fail "qorva-cli --version does not print $version"
[ "$(qorva --version)" = "qorva $version" ] || fail "qorva --version does not print $version"
rm -f /tmp/x.png
qorva-cli render /usr/share/qorva/examples/office.id /tmp/x.png
[ "$(head -c 8 /tmp/x.png | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "render wrote no PNG image"
printf -- '--t 26 --rh 55\n' | qorva-cli states --json | grep -q '"rh":55' || fail "states --json"
qorva-cli climate /usr/share/qorva/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw --json |
  grep -q '"hours": 8760' || fail "climate --json on the installed weather year"

# Desktop integration, metadata, manuals, completion.
desktop-file-validate /usr/share/applications/qorva.desktop
appstreamcli validate --pedantic --no-net /usr/share/metainfo/org.qorva.qorva.metainfo.xml
[ -f /usr/share/mime/application/x-qorva-project.xml ] || fail "the MIME type was not registered"
for page in qorva qorva-cli; do
  manual=/usr/share/man/man1/$page.1.gz
  excluded "$manual" || gzip -t "$manual" || fail "manual page $page(1) is damaged"
done
completed=$(bash -c '. /usr/share/bash-completion/bash_completion
  . /usr/share/bash-completion/completions/qorva-cli
  COMP_WORDS=(qorva-cli analyze in.id out.id --analysis f); COMP_CWORD=5
  COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
  _qorva_cli; echo "${COMPREPLY[*]}"')
[ "$completed" = "fancoil freshair" ] || fail "completion of --analysis f gave '$completed'"

apt-get remove --purge -y qorva
if dpkg-query -W -f='${Status}' qorva 2>/dev/null | grep -q "installed"; then
  fail "qorva is still installed"
fi
# Every file of the package is gone, and the folders only it used.
while read -r path; do
  if [ -e "$path" ] && [ ! -d "$path" ]; then
    fail "$path is left after removal"
  fi
done <"$files"
for folder in /usr/share/qorva /usr/share/doc/qorva; do
  [ ! -e "$folder" ] || fail "$folder is left after removal"
done
[ ! -e /usr/share/mime/application/x-qorva-project.xml ] || fail "the MIME type is still registered"
echo "tools/package-test.sh: qorva $version installed, checked and removed"
