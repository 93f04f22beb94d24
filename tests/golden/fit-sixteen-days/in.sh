# Sixteen days: every day starts a location of its own, so no pair of
# distances gives 14 or fewer.
DAYS=16 sh "$1/../fit-ten-days/in.sh" "$1"
