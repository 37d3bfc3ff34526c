"""A real SMTP server (aiosmtpd) that records what it receives, for tests.

Prints "listening <port>" once ready, then one JSON object per accepted message:
helo, mail_from, rcpt_tos, and data (the message as Windows-1251 text, line ends kept).
A recipient whose local part ends in 0000 is refused with 550, so failures can be seen.
"""
import argparse
import asyncio
import json
import sys

from aiosmtpd.smtp import SMTP


class Recorder:
    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.split("@")[0].endswith("0000"):
            return "550 5.1.1 No such subscriber"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        record = {
            "helo": session.host_name,
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "data": envelope.original_content.decode("cp1251", errors="replace"),
        }
        print(json.dumps(record, ensure_ascii=False), flush=True)
        return "250 Message accepted for delivery"


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    args = parser.parse_args()
    loop = asyncio.get_running_loop()
    server = await loop.create_server(
        lambda: SMTP(Recorder(), decode_data=False, hostname="relay.test"), args.host, args.port)
    print("listening", server.sockets[0].getsockname()[1], flush=True)
    await server.serve_forever()


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
