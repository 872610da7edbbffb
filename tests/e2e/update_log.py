"""Reading the launcher's update log (res\\update.log): UTF-16LE lines of time, tag and message."""
import os
import re

LINE_START = re.compile(r"\d{4}-[ \d]\d-[ \d]\d [ \d]\d:[ \d]\d:[ \d]\d : \tUpdateModule\t")


def log_messages(path):
    """The log's messages in order; a message with line breaks comes back whole."""
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        text = f.read().decode("utf-16-le")
    messages = []
    for piece in text.split("\r\n")[:-1]:
        match = LINE_START.match(piece)
        if match:
            messages.append(piece[match.end():])
        elif messages:
            messages[-1] += "\r\n" + piece
    return messages
