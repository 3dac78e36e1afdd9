# The settings both benchmarks time with: every user, every activity type and field shown,
# e-mail links on. Sourced; writes the Daywise.conf under $XDG_CONFIG_HOME.
mkdir -p "$XDG_CONFIG_HOME/Daywise"
{
    echo "[Filter]"
    echo "Users=All"
    echo "Type2=1"
    echo "Cleared=0"
    echo "[Options]"
    for k in $(seq 0 15); do echo "Field$k=1"; done
    for k in $(seq 30 44); do echo "Field$k=1"; done
    echo "Custom=46"
    echo "[Colors]"
    echo "ColorDefault=0"
    echo "[Email]"
    echo "Active=1"
    echo "Subject=<regarding> on <dayofweek> <day> <month>"
    echo "Body=From <start> to <end>: <details>"
    echo "[Integration]"
    echo "IE=0"
} > "$XDG_CONFIG_HOME/Daywise/Daywise.conf"
