# A tour file that is a FIFO nobody reads.
mkfifo t.xml
