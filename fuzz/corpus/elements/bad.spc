*X,bad,line
