#!/usr/bin/perl
# Reads a tmux capture taken with escapes (capture-pane -e -p) and prints the picture it
# shows, one line per pixel row and one letter per pixel: B blue, W white, G green,
# R red, Y yellow, K black, ? another colour, '.' a cell that is not a picture cell (text
# or the terminal's default colours). An upper half block shows its foreground above its
# background; a blank shows its background in both halves.
use strict;
use warnings;
use utf8;
binmode STDIN, ':encoding(UTF-8)';

sub classify {
  my ($c) = @_;
  return '.' unless defined $c;
  my ($r, $g, $b) = @$c;
  my $hi = sub { $_[0] >= 128 };
  my $lo = sub { $_[0] < 80 };
  return 'K' if $lo->($r) && $lo->($g) && $lo->($b);
  return 'W' if $hi->($r) && $hi->($g) && $hi->($b);
  return 'B' if $lo->($r) && $lo->($g) && $hi->($b);
  return 'G' if $lo->($r) && $hi->($g) && $lo->($b);
  return 'R' if $hi->($r) && $lo->($g) && $lo->($b);
  return 'Y' if $hi->($r) && $hi->($g) && $lo->($b);
  return '?';
}

sub colors {
  my ($params, $fg, $bg) = @_;
  my @p = length($params) ? split(/;/, $params) : (0);
  while (@p) {
    my $v = shift @p;
    $v = 0 if $v eq '';
    if ($v == 0) { $$fg = undef; $$bg = undef; }
    elsif ($v == 39) { $$fg = undef; }
    elsif ($v == 49) { $$bg = undef; }
    elsif (($v == 38 || $v == 48) && @p >= 4 && $p[0] == 2) {
      shift @p;
      my $c = [splice(@p, 0, 3)];
      if ($v == 38) { $$fg = $c; } else { $$bg = $c; }
    } elsif (($v == 38 || $v == 48) && @p >= 2 && $p[0] == 5) {
      splice(@p, 0, 2);    # 256-colour forms are not ours: treat as unknown
      if ($v == 38) { $$fg = [1, 1, 1]; } else { $$bg = [1, 1, 1]; }
    }
  }
}

my ($fg, $bg);
while (my $line = <STDIN>) {
  chomp $line;
  my ($top, $bottom) = ('', '');
  while (length $line) {
    if ($line =~ s/^\e\[([0-9;]*)m//) {
      colors($1, \$fg, \$bg);
    } elsif ($line =~ s/^\e[^a-zA-Z]*[a-zA-Z]//) {
    } else {
      my $ch = substr($line, 0, 1, '');
      if ($ch eq "\x{2580}") {
        $top .= classify($fg);
        $bottom .= classify($bg);
      } elsif ($ch eq ' ') {
        $top .= classify($bg);
        $bottom .= classify($bg);
      } else {
        $top .= '.';
        $bottom .= '.';
      }
    }
  }
  print "$top\n$bottom\n";
}
