#!/usr/bin/env bash
# Copies the source tree as it stands into an empty folder, without the build folders: from a git
# checkout its tracked and new files (not what .gitignore leaves out), from any other tree (a
# release tarball, `git archive`) everything but build/.
#   tools/copy-source.sh SOURCE DESTINATION
set -euo pipefail
source_dir="$(realpath "$1")"
destination="$(realpath -m "$2")"
mkdir -p "$destination"
cd "$source_dir"
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$source_dir" ]; then
  git ls-files -z --cached --others --exclude-standard \
    | while IFS= read -r -d '' file; do if [ -e "$file" ]; then printf '%s\0' "$file"; fi; done \
    | xargs -0 --no-run-if-empty cp --parents -t "$destination"
else
  tar --exclude=./build --exclude=./.git -cf - . | tar -xf - -C "$destination"
fi
