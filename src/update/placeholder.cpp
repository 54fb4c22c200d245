// Rate update: page parser and URL grabber.
