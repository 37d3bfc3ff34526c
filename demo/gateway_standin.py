"""A local stand-in for the operator's e-mail-to-SMS gateway, built on aiosmtpd.

Every message it takes is printed as a person reads it: the envelope (HELO, MAIL FROM,
RCPT TO) and the text, decoded from Windows-1251. With --json it prints one JSON object
per message instead, for tests. It prints "listening <port>" once it is ready.

To see the failure boxes, pick a number that ends in
  0000  the subscriber is refused (550 at RCPT TO);
  9999  the gateway hangs up at RCPT TO without a word.
"""
import argparse
import asyncio
import json
import sys

from aiosmtpd.smtp import SMTP


def local_part(address):
    return address.split("@")[0]


class Gateway:
    def __init__(self, as_json):
        self.as_json = as_json

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if local_part(address).endswith("9999"):
            self.note(f"hung up on RCPT TO:{address}")
            server.transport.close()
            return "421 closing"
        if local_part(address).endswith("0000"):
            self.note(f"refused RCPT TO:{address} (numbers ending in 0000 are refused)")
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
        if self.as_json:
            print(json.dumps(record, ensure_ascii=False), flush=True)
        else:
            print(readable(record), flush=True)
        return "250 Message accepted for delivery"

    def note(self, text):
        if not self.as_json:
            print(f"[gateway] {text}", flush=True)


def readable(record):
    header, _, body = record["data"].partition("\r\n\r\n")
    lines = ["", "=== message received by the gateway ===",
             f"HELO       {record['helo']}",
             f"MAIL FROM  {record['mail_from']}",
             f"RCPT TO    {', '.join(record['rcpt_tos'])}",
             f"{header.strip() or 'Subject:'}",
             "--- text ---"]
    lines += body.rstrip("\r\n").split("\r\n")
    lines.append("=== end of message ===")
    return "\n".join(lines)


async def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--json", action="store_true", help="one JSON object per message")
    args = parser.parse_args()
    loop = asyncio.get_running_loop()
    server = await loop.create_server(
        lambda: SMTP(Gateway(args.json), decode_data=False, hostname="gateway.standin"), args.host, args.port)
    print("listening", server.sockets[0].getsockname()[1], flush=True)
    await server.serve_forever()


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
