a
b