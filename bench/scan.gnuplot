# gnuplot -e "data='scan.dat'; out='scan.png'" bench/scan.gnuplot
set terminal pngcairo size 800,500 noenhanced
set output out
set title "Scan time against plug-in count (9.6 KB config.xml each, warm cache)"
set xlabel "plug-ins"
set ylabel "seconds"
set logscale xy
set key top left
set grid
plot data using 1:2 with linespoints title "library (catalogue + every ID)", \
     data using 1:3 with linespoints title "xmllint --noout", \
     data using 1:4 with linespoints title "python3 ElementTree"
