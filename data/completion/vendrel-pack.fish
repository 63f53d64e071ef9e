# fish completion for vendrel-pack: its options, the six package kinds after --kind, the levels
# after --level, a folder for the project folder and a file for the output (none after
# --check's folder); with --test, a file for the package and a folder for the project folder.

# The number of paths on the command line before the word being completed.
function __vendrel_pack_paths
    set -l words (commandline -opc)
    set -e words[1]
    set -l paths 0
    set -l onlyPaths 0
    set -l value 0
    for word in $words
        if test $value = 1
            set value 0
        else if test $onlyPaths = 1
            set paths (math $paths + 1)
        else if test "$word" = --
            set onlyPaths 1
        else if contains -- "$word" --kind --level --date --exclude --exclude-from
            set value 1
        else if test "$word" = - || not string match -q -- '-*' $word
            set paths (math $paths + 1)
        end
    end
    echo $paths
end

# Kinds are taken in any case; they are offered in the case being typed.
function __vendrel_pack_kinds
    set -l typed (string replace -r -- '^--kind=' '' (commandline -ct))
    for kind in DZEP\t'Express Project' DZT\tTitle DZTR\tTransition DZS\t'Magic Style' \
            DZM\t'DVD Menu' DZP\t'PiP Objects'
        set -l code (string split -f1 \t -- $kind)
        string match -qr -- '^[a-z]' $typed && set code (string lower -- $code)
        printf '%s\t%s\n' $code (string split -f2 \t -- $kind)
    end
end

# True when the command line holds --test, which takes the package first.
function __vendrel_pack_testing
    contains -- --test (commandline -opc)
end

complete -c vendrel-pack -f
complete -c vendrel-pack -l kind -x -a '(__vendrel_pack_kinds)' -d 'package kind'
complete -c vendrel-pack -l overwrite -d 'replace OUTPUT if it exists'
complete -c vendrel-pack -s q -l quiet -d 'print nothing but errors'
complete -c vendrel-pack -l level -x -a '0 1 2 3 4 5 6 7 8 9' -d 'compression level'
complete -c vendrel-pack -l date -x -d 'stamp every entry with this date and time'
complete -c vendrel-pack -l exclude -x -d 'leave out what this pattern matches'
complete -c vendrel-pack -l exclude-from -r -F -d 'leave out what the patterns of this file match'
complete -c vendrel-pack -l check -d 'write nothing; list every problem a pack would meet'
complete -c vendrel-pack -l verbose -d 'with --check, also list the paths a pack leaves out'
complete -c vendrel-pack -l test -d 'verify a package, and compare it with PROJECT_FOLDER'
complete -c vendrel-pack -l list-kinds -d 'list the kinds with their extensions and entry names'
complete -c vendrel-pack -s h -l help -d 'show the help'
complete -c vendrel-pack -l version -d 'show the version'
complete -c vendrel-pack -n 'not __vendrel_pack_testing; and test (__vendrel_pack_paths) -eq 0' \
    -a '(__fish_complete_directories)'
complete -c vendrel-pack \
    -n 'not __vendrel_pack_testing; and test (__vendrel_pack_paths) -eq 1; and not __fish_seen_argument -l check' -F
complete -c vendrel-pack -n '__vendrel_pack_testing; and test (__vendrel_pack_paths) -eq 0' -F
complete -c vendrel-pack -n '__vendrel_pack_testing; and test (__vendrel_pack_paths) -eq 1' \
    -a '(__fish_complete_directories)'
