# The option sets the cross-build comparisons convert every drawing with:
# every output format and the options that change what is written.
option_sets=(
  ""
  "--points circle --linetypes acad --layer-numbers --no-defpoints"
  "--points point --polylines --scale 50 --explode-blocks"
  "--no-round --no-text-reduction --no-halfwidth-aspect --pen-colors 1,2,3,4,5,6"
  "--text-reduction 50 --halfwidth-aspect 40 --format ansi932"
  "--format utf8"
  "--format r12 --polylines"
  "--format r2000 --polylines --points circle"
  "--format r2007"
)
