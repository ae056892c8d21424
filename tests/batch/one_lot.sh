# Sourced by the scripts that run the program as a whole process on one lot:
# the program's path from the first argument ($q), a temporary folder removed on
# exit ($dir) holding a five-point lot ($dir/lot.csv), and no failure yet.
set -u
q="$1"
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
printf '5\n4\n3\n2\n1\n' > "$dir/lot.csv"
failed=0
