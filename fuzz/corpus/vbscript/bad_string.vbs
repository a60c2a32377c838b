x = "unterminated
