# The start the project scripts share, sourced with BRUMALIS and WORKDIR as
# arguments: a fresh work folder with a private settings folder, English
# texts, and fail().
set -u
B="$1"
W="$2"
rm -rf "$W" && mkdir -p "$W/cfg" && cd "$W" || exit 1
export XDG_CONFIG_HOME="$W/cfg" BRUMALIS_LANGUAGE=en
fail() { echo "FAIL: $*"; exit 1; }
