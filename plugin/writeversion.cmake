# Writes the project's version as the one line of version.txt (cmake -DVERSION= -DOUTPUT= -P).
file(WRITE ${OUTPUT} "${VERSION}\n")
