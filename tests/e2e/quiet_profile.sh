# A profile of its own for one end-to-end run, in "$work": settings, data and
# journal folders, no splash screen and no document skeleton in new windows.
# Sourced with `work` and `program` set.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" XDG_STATE_HOME="$work/state"
export TAGLOOM_DATA_FOLDER="$work/data"
mkdir -p "$TAGLOOM_DATA_FOLDER" "$XDG_CONFIG_HOME/Tagloom"
cp "$(dirname "$program")/Tagloom.colors" "$TAGLOOM_DATA_FOLDER/"
printf '[Misc]\nShow%%20splash%%20screen=0\nInsert%%20all%%20document%%20structure%%20tags%%20when%%20opening%%20a%%20new%%20document=0\n' \
    > "$XDG_CONFIG_HOME/Tagloom/Tagloom.conf"
export E2E_STEPS="$(realpath "$(dirname "${BASH_SOURCE[0]}")")/window_steps.sh"
