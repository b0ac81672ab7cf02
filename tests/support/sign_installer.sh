# Sourced by the tests that sign installers as an author does, with osslsigncode.
#   sign_installer IN OUT   signs IN into OUT with a throwaway key and self-signed certificate,
#                           made in $work on first use (never kept); verify_signature FILE checks
#                           FILE's signature against that certificate

signing_key() {
  [ -f "$work/signing-cert.pem" ] && return 0
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Merrowin test author" \
    -keyout "$work/signing-key.pem" -out "$work/signing-cert.pem" >"$work/openssl.log" 2>&1 ||
    { cat "$work/openssl.log"; return 1; }
}

sign_installer() {
  signing_key || return 1
  osslsigncode sign -certs "$work/signing-cert.pem" -key "$work/signing-key.pem" -h sha256 \
    -n "Merrowin test wallpaper" -in "$1" -out "$2" >"$work/sign.log" 2>&1 || { cat "$work/sign.log"; return 1; }
}

verify_signature() {
  osslsigncode verify -CAfile "$work/signing-cert.pem" -in "$1" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log"; return 1; }
}
