# The chart of bench/results/latest.md: one panel per file shape, and in it
# for each work the median wall time of Vendral beside the best peer's and
# the floor's, with the milliseconds on the bars and the peer's name under
# the work's.
# usage: gnuplot -e "runs='DIR'; shapes='dna60 reads ...'; output='FILE.png'" chart.gp
n = words(shapes)
rows = (n + 1) / 2  # two panels a row keep the labels of five works apart
set terminal pngcairo size 1600, 60 + 470 * rows font "sans,11"
set output output
set multiplot layout rows, 2 title "vendral-cli: median wall time in ms, lower is better (bench/results/latest.md)" font ",14"
set style data histogram
set style histogram clustered gap 1
set style fill solid 0.85 border -1
set boxwidth 0.95
set datafile missing "-"
set yrange [0:*]
set offsets 0, 0, graph 0.2, 0
set grid ytics
set key top center horizontal font ",10"
set xtics nomirror noenhanced font ",10"
set ytics font ",9"
set bmargin 4
do for [s in shapes] {
  data = runs . "/" . s . "/chart.dat"
  set title system("cat " . runs . "/" . s . "/title.txt") noenhanced font ",11"
  plot data using 2:xtic(strcol(1) . "\n" . strcol(5)) title "Vendral" lc rgb "#1f6fb4", \
       '' using 3 title "best peer (named below)" lc rgb "#e8862a", \
       '' using 4 title "floor (the table names it)" lc rgb "#7fb35f", \
       '' using ($0 - 0.25):2:2 with labels offset 0, 0.6 font ",9" notitle, \
       '' using ($0):3:3 with labels offset 0, 0.6 font ",9" notitle, \
       '' using ($0 + 0.25):4:4 with labels offset 0, 0.6 font ",9" notitle
}
unset multiplot
