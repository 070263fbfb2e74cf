#!/usr/bin/env bash
# Installs the hooks of this folder into the clone's hooks folder, each as a small script that
# runs the version in the work tree at hand, so every worktree of a clone checks with its own
# copy (and one without it is not checked). A hook of another origin that is already there is
# left alone; core.hooksPath is not touched, so the clone's other hooks keep running.
set -euo pipefail
cd "$(dirname "$0")"
hooks=$(git rev-parse --path-format=absolute --git-path hooks)
mkdir -p "$hooks"
marker="# installed by scripts/git-hooks/install.sh"
for hook in *; do
  [ "$hook" = install.sh ] && continue
  target="$hooks/$hook"
  if [ -e "$target" ] && ! grep -qF "$marker" "$target"; then
    echo "git hooks: $target exists already and is left as it is" >&2
    continue
  fi
  cat >"$target" <<HOOK
#!/bin/sh
$marker
hook="\$(git rev-parse --show-toplevel)/scripts/git-hooks/$hook"
[ -x "\$hook" ] || exit 0
exec "\$hook" "\$@"
HOOK
  chmod +x "$target"
  echo "git hooks: $hook installed in $hooks"
done
