# Installs the Debian packages a script needs and the machine lacks, in one
# apt-get call.  Sourced by the scripts and by .ci/run:
#   need_command CMD [PACKAGE]  PACKAGE (CMD by default) unless CMD is found
#   need_file PATTERN PACKAGE   PACKAGE unless a file matches PATTERN, a
#                               path or a glob
#   need_package PACKAGE...     each PACKAGE that dpkg does not list installed
#   install_needed              installs what was named, through sudo when
#                               not root; exits 1 if that fails
needed=()

need_command() { command -v "$1" >/dev/null 2>&1 || needed+=("${2:-$1}"); }

need_file() { compgen -G "$1" >/dev/null || needed+=("$2"); }

need_package() {
  local package
  for package in "$@"; do
    dpkg -s "$package" >/dev/null 2>&1 || needed+=("$package")
  done
}

install_needed() {
  [ ${#needed[@]} -gt 0 ] || return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "${0##*/}: installing ${needed[*]}"
  if ! { "${sudo[@]}" apt-get update -qq &&
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${needed[@]}"; }; then
    echo "${0##*/}: could not install ${needed[*]}" >&2
    exit 1
  fi
  needed=()
}
